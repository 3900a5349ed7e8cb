#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the protections of the two programs a release ships, as they ship: stripped, taken
out of the .deb and the Windows ZIP in DIST.

  check-hardening.py DIST TREE
  check-hardening.py --elf|--pe BINARY COMPILE_COMMANDS

TREE is the source tree the release was built in (scripts/release.sh builds in
build/source/runewright-VERSION); the compile commands of its release and windows-release
builds show the fortify define where the bytes cannot. The second form checks one program as
built, with the compile commands of its build. Prints what it finds; exits 1 when a protection
is missing.

usr/bin/runewright (ELF): Debian's hardening-check says yes to PIE, stack protector, read-only
relocations and immediate binding; fortify is yes, or the program's sources are compiled with
_FORTIFY_SOURCE (its one fortifiable call, the memmove with which a QList grows, writes into a
heap buffer whose size the compiler cannot see, so the call stays unchecked); neither the stack
nor any segment is writable and executable; main and most functions begin with endbr64.

runewright.exe (PE): ASLR with high entropy, DEP, a relocation section, no section writable and
executable; canaries (functions that call libssp's __stack_chk_fail) in a good share of the
functions .pdata lists, Qt's among them; the fortify runtime (libssp's __*_chk functions,
which call __chk_fail) linked in, and the program's sources compiled with _FORTIFY_SOURCE and
-fstrict-flex-arrays=3; most functions begin with endbr64.
"""
import io
import json
import re
import struct
import subprocess
import sys
import tarfile
import tempfile
import zipfile
from pathlib import Path

import pefile

ENDBR64 = b"\xf3\x0f\x1e\xfa"
# The share of function starts that must be endbr64. GCC leaves it off where no indirect branch
# can land: file-local functions whose address is never taken, the cold parts it splits off
# functions, the PLT; and the C runtime, libstdc++ and libgcc that the MinGW toolchain ships
# are compiled without it. With -fcf-protection, about 60 % of the ELF program's function
# starts and 80 % of the PE one's are endbr64; without, none.
ENDBR64_SHARE = 0.50
# The share of functions with a canary. -fstack-protector-strong protects those with a local
# array or a local whose address is taken: about a fifth of Qt's; with Qt unprotected, only
# Runewright's own few would be.
CANARY_SHARE = 0.10

failures = []


def check(ok, what):
    print(f"  {'yes' if ok else 'NO '}  {what}")
    if not ok:
        failures.append(what)


def sources_compiled_with(commands_file, flag):
    """Whether every compile command of the program's own sources has the flag (a regular
    expression); a missing file counts as no."""
    try:
        commands = json.loads(Path(commands_file).read_text())
    except OSError:
        return False
    own = [c for c in commands if "/src/" in c["file"]]
    return bool(own) and all(re.search(flag + r"(\s|$)", c.get("command", "")) for c in own)


def fortified_sources(commands_file):
    """_FORTIFY_SOURCE at level 2 or higher, in every compile command of the program's own
    sources."""
    return sources_compiled_with(commands_file, r"-D_FORTIFY_SOURCE=[23]")


def check_elf(path, commands_file):
    data = path.read_bytes()
    print(f"{path.name} (ELF, {len(data)} bytes)")
    report = subprocess.run(["hardening-check", "--verbose", str(path)],
                            capture_output=True, text=True).stdout
    print("\n".join("    " + line for line in report.splitlines()[1:]))
    for item in ("Position Independent Executable", "Stack protected",
                 "Read-only relocations", "Immediate binding"):
        check(re.search(rf"^ {item}: yes", report, re.M), f"hardening-check: {item}")
    check(re.search(r"^ Fortify Source functions: yes", report, re.M)
          or fortified_sources(commands_file),
          "fortify: hardening-check says yes, or every source is compiled with _FORTIFY_SOURCE")

    (entry, phoff) = struct.unpack_from("<QQ", data, 0x18)
    (phentsize, phnum) = struct.unpack_from("<HH", data, 0x36)
    segments = [struct.unpack_from("<IIQQQQ", data, phoff + i * phentsize) for i in range(phnum)]
    PT_LOAD, PT_GNU_EH_FRAME, PT_GNU_STACK, PF_X, PF_W = 1, 0x6474E550, 0x6474E551, 1, 2

    def at(address, size):
        for kind, _, offset, vaddr, _, filesz in segments:
            if kind == PT_LOAD and vaddr <= address < vaddr + filesz:
                return data[offset + address - vaddr:][:size]
        return b""

    stack = [flags for kind, flags, *_ in segments if kind == PT_GNU_STACK]
    check(stack and not stack[0] & PF_X, "the stack is not executable")
    check(not any(kind == PT_LOAD and flags & PF_W and flags & PF_X
                  for kind, flags, *_ in segments), "no segment is writable and executable")

    # _start hands main to __libc_start_main: lea main(%rip), %rdi.
    start = at(entry, 64)
    lea = start.find(b"\x48\x8d\x3d")
    main = entry + lea + 7 + struct.unpack_from("<i", start, lea + 3)[0] if lea >= 0 else None
    check(main is not None and at(main, 4) == ENDBR64, "main begins with endbr64")

    # Every function's start, from the unwind table's sorted index (.eh_frame_hdr).
    hdr = [vaddr for kind, _, _, vaddr, *_ in segments if kind == PT_GNU_EH_FRAME][0]
    version, _, count_encoding, table_encoding = at(hdr, 4)
    # DW_EH_PE_udata4 count; DW_EH_PE_datarel | DW_EH_PE_sdata4 pairs (start, FDE).
    assert (version, count_encoding, table_encoding) == (1, 0x03, 0x3B), "unexpected .eh_frame_hdr"
    count = struct.unpack("<I", at(hdr + 8, 4))[0]
    table = at(hdr + 12, count * 8)
    starts = {hdr + struct.unpack_from("<i", table, i * 8)[0] for i in range(count)}
    marked = sum(at(address, 4) == ENDBR64 for address in starts)
    check(marked >= ENDBR64_SHARE * len(starts),
          f"endbr64 at {marked} of {len(starts)} function starts (.eh_frame)")


def check_pe(path, commands_file):
    data = path.read_bytes()
    print(f"{path.name} (PE, {len(data)} bytes)")
    pe = pefile.PE(data=data, fast_load=True)
    characteristics = pe.OPTIONAL_HEADER.DllCharacteristics
    for flag in ("DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT"):
        check(characteristics & pefile.DLL_CHARACTERISTICS[f"IMAGE_DLLCHARACTERISTICS_{flag}"],
              flag)
    relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    check(relocations.Size > 0
          and not pe.FILE_HEADER.Characteristics
          & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"],
          "a relocation section")
    writable = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_WRITE"]
    executable = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_EXECUTE"]
    both = [s.Name.rstrip(b"\0").decode() for s in pe.sections
            if s.Characteristics & writable and s.Characteristics & executable]
    check(not both, f"no section writable and executable{': ' + ', '.join(both) if both else ''}")

    # The functions, from the exception table: (start, end) RVAs, sorted.
    exceptions = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXCEPTION"]]
    pdata = pe.get_data(exceptions.VirtualAddress, exceptions.Size)
    functions = sorted({struct.unpack_from("<II", pdata, i)
                        for i in range(0, len(pdata) - 11, 12)} - {(0, 0)})
    text = next(s for s in pe.sections if s.Characteristics & executable)
    code = text.get_data()
    base = text.VirtualAddress

    def function_of(rva):
        """The function holding rva, as an index into functions, or None."""
        low, high = 0, len(functions)
        while low < high:
            middle = (low + high) // 2
            if functions[middle][1] <= rva:
                low = middle + 1
            else:
                high = middle
        return low if low < len(functions) and functions[low][0] <= rva else None

    def called_from(message):
        """The functions that call libssp's function which reports message, or None when it is
        not linked in. That function loads message first thing: lea message(%rip), %rcx."""
        found = data.find(message)
        if found < 0:
            return None
        target = pe.get_rva_from_offset(found)
        for lea in re.finditer(re.escape(b"\x48\x8d\x0d"), code):
            disp = struct.unpack_from("<i", code, lea.end())[0] if lea.end() + 4 <= len(code) else 0
            if base + lea.start() + 7 + disp == target:
                reporter = function_of(base + lea.start())
                break
        else:
            return None
        entry = functions[reporter][0]
        callers = set()
        for call in re.finditer(b"\xe8", code):
            if call.end() + 4 <= len(code):
                site = base + call.start()
                if site + 5 + struct.unpack_from("<i", code, call.end())[0] == entry:
                    callers.add(function_of(site))
        return callers - {None}

    print(f"    {len(functions)} functions in .pdata, {len(code)} bytes of code")
    canaries = called_from(b"*** stack smashing detected ***")
    check(canaries is not None, "the stack protector's runtime (libssp's __stack_chk_fail)")
    protected = len(canaries or ())
    check(protected >= CANARY_SHARE * len(functions),
          f"a canary in {protected} of {len(functions)} functions")
    fortified = called_from(b"*** buffer overflow detected ***")
    check(bool(fortified), f"the fortify runtime: {len(fortified or ())} of libssp's __*_chk"
          " functions linked in")
    check(fortified_sources(commands_file), "every source is compiled with _FORTIFY_SOURCE")
    check(sources_compiled_with(commands_file, r"-fstrict-flex-arrays=3"),
          "every source of Runewright's own is compiled with -fstrict-flex-arrays=3")
    marked = sum(code[start - base:start - base + 4] == ENDBR64 for start, _ in functions)
    check(marked >= ENDBR64_SHARE * len(functions),
          f"endbr64 at {marked} of {len(functions)} function starts (.pdata)")


def main():
    if len(sys.argv) == 4 and sys.argv[1] in ("--elf", "--pe"):
        checker = check_elf if sys.argv[1] == "--elf" else check_pe
        checker(Path(sys.argv[2]), Path(sys.argv[3]))
    elif len(sys.argv) == 3:
        check_release(Path(sys.argv[1]), Path(sys.argv[2]))
    else:
        sys.exit(__doc__)
    sys.stdout.flush()
    if failures:
        sys.exit("check-hardening: missing: " + "; ".join(failures))
    print("check-hardening: all good")


def check_release(dist, tree):
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        deb = next(dist.glob("runewright_*_amd64.deb"))
        contents = subprocess.run(["dpkg-deb", "--fsys-tarfile", str(deb)],
                                  capture_output=True, check=True).stdout
        with tarfile.open(fileobj=io.BytesIO(contents)) as tar:
            elf = work / "runewright"
            elf.write_bytes(tar.extractfile("./usr/bin/runewright").read())
        with zipfile.ZipFile(next(dist.glob("runewright-*-win64.zip"))) as archive:
            exe = work / "runewright.exe"
            exe.write_bytes(archive.read(next(n for n in archive.namelist()
                                              if n.endswith("/runewright.exe"))))
        check_elf(elf, tree / "build/release/compile_commands.json")
        check_pe(exe, tree / "build/windows-release/compile_commands.json")


if __name__ == "__main__":
    main()
