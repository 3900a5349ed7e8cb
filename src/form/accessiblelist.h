// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ACCESSIBLELIST_H
#define ACCESSIBLELIST_H

class QAccessibleInterface;
class QObject;
class QString;

// An accessibility factory for lists (QComboBox): Qt's own reading of a list, but for two things.
// A list is read by its accessible name where it has one: on Unix, Qt reads a list by its current
// item alone and leaves the name to the relation with a label whose buddy the list is, and the
// form's labels have no buddies, so a screen reader would never hear which column a list is.
// And a point on the screen finds the edit field of a list that can be typed into, where Qt's
// takes it for a point in the field's own coordinates. Returns null for anything but a list.
QAccessibleInterface *namedList(const QString &className, QObject *object);

#endif // ACCESSIBLELIST_H
