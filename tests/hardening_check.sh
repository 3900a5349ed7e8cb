#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# hardening_check.sh CHECK CXX
#
# The release's hardening check must see each protection go: a small program built with all of
# them passes it, and built with one of them switched off, fails it on that one's line.
set -u
check=$1 cxx=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/program.cpp" <<'EOF'
#include <cstdio>
#include <cstring>

// Called through pointers, as most of a Qt program's functions are, so they need endbr64.
int twice(int x) { return 2 * x; }
int square(int x) { return x * x; }
int negate(int x) { return -x; }
int halve(int x) { return x / 2; }
int (*volatile operations[])(int) = {twice, square, negate, halve};

int main(int argc, char **argv)
{
    char name[64];
    std::strcpy(name, argv[0]); // fortified: the buffer's size is known
    std::puts(name);
    int x = argc;
    for (auto operation : operations)
        x = operation(x);
    return x;
}
EOF
printf '[{"file": "/src/program.cpp", "command": "c++ -D_FORTIFY_SOURCE=3 -c program.cpp"}]\n' \
    >"$work/fortified.json"
printf '[]\n' >"$work/none.json"
hardened="-O2 -fstack-protector-strong -fcf-protection=full -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3
          -fPIE -pie -Wl,-z,relro,-z,now,-z,noexecstack"
failed=0

# case | flags added to the hardened ones | the line that must say NO (none: passes)
while IFS='|' read -r name flags expected; do
    # shellcheck disable=SC2086
    "$cxx" $hardened $flags -o "$work/program" "$work/program.cpp" || exit 1
    commands=$work/fortified.json
    case $flags in *-U_FORTIFY_SOURCE) commands=$work/none.json ;; esac
    report=$("$check" --elf "$work/program" "$commands" 2>&1)
    status=$?
    if [ -z "$expected" ]; then
        [ $status -eq 0 ] || { echo "FAIL $name: the check refuses it"; failed=1; }
    elif [ $status -eq 0 ] || ! printf '%s\n' "$report" | grep -q "^  NO   .*$expected"; then
        echo "FAIL $name: the check does not say NO to \"$expected\""
        failed=1
    fi
    [ $failed -eq 0 ] || { printf '%s\n' "$report"; exit 1; }
    echo "PASS $name"
done <<'EOF'
hardened||
stack_protector|-fno-stack-protector|Stack protected
fortify|-U_FORTIFY_SOURCE|fortify
pie|-fno-PIE -no-pie|Position Independent Executable
relro|-Wl,-z,norelro|Read-only relocations
bind_now|-Wl,-z,lazy|Immediate binding
exec_stack|-Wl,-z,execstack|the stack is not executable
cet|-fcf-protection=none|endbr64
EOF
