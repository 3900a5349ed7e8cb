// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TESTSEED_H
#define TESTSEED_H

#include <QtGlobal>

// The seed of the property tests: fixed, so that a run repeats, unless RUNEWRIGHT_SEED replays
// another one that a failure printed.
inline quint32 testSeed()
{
    return qEnvironmentVariableIsSet("RUNEWRIGHT_SEED")
            ? quint32(qEnvironmentVariableIntValue("RUNEWRIGHT_SEED"))
            : 20261207u;
}

#endif // TESTSEED_H
