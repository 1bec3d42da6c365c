#!/usr/bin/env python3
"""pe-imports.py EXE...: lists the DLLs a Windows program imports at load time and the slots of
its delay-loaded imports, and fails (exit 1) when the program could call through an empty
slot or would load a DLL that Windows does not always take from its own folder.

A delay-import slot must hold the address of its loading stub in the file: the i686 GNU
toolchain leaves such slots 0 (binutils bug 14339), and the program then jumps to address 0
at its first call. DLLs outside the list below must be loaded by the program itself, by full
path, or a file of the same name beside it would be loaded instead."""
import struct
import sys

# DLLs Windows always takes from the system folder (KnownDLLs, or loaded before the program).
KNOWN = {"advapi32", "comdlg32", "gdi32", "imm32", "kernel32", "msvcrt", "ole32", "oleaut32",
         "shell32", "shlwapi", "user32", "ntdll"}


def main(path):
    data = open(path, "rb").read()
    u16 = lambda off: struct.unpack_from("<H", data, off)[0] if off + 2 <= len(data) else 0
    u32 = lambda off: struct.unpack_from("<I", data, off)[0] if off + 4 <= len(data) else 0
    u64 = lambda off: struct.unpack_from("<Q", data, off)[0] if off + 8 <= len(data) else 0
    if data[:2] != b"MZ":
        return fail(f"{path}: not a Windows program")
    pe = u32(0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        return fail(f"{path}: no PE header")
    machine, nsec = u16(pe + 4), u16(pe + 6)
    opt = pe + 24
    wide = u16(opt) == 0x20B
    ptr_size, read_ptr = (8, u64) if wide else (4, u32)
    dirs = opt + (112 if wide else 96)
    sections = []
    sec = opt + u16(pe + 20)
    for i in range(nsec):
        s = sec + 40 * i
        vsize, va, rsize, raw = u32(s + 8), u32(s + 12), u32(s + 16), u32(s + 20)
        sections.append((va, max(vsize, rsize), raw, rsize))

    def offset(rva):
        for va, size, raw, rsize in sections:
            if va <= rva < va + size:
                return raw + rva - va if rva - va < rsize else None
        return None

    def cstr(rva):
        o = offset(rva)
        if o is None:
            return "?"
        end = data.find(b"\0", o)
        return data[o:end if end >= 0 else len(data)].decode("latin-1")

    problems = []
    arch = {0x14C: "i386", 0x8664: "x86-64"}.get(machine, hex(machine))
    print(f"{path}: {arch}")
    # Load-time imports: 20-byte descriptors up to an empty one.
    imp = u32(dirs + 8 * 1)
    d = offset(imp) if imp else None
    while d is not None and u32(d + 12):
        name = cstr(u32(d + 12))
        print(f"  import {name}")
        if name.lower().removesuffix(".dll") not in KNOWN:
            problems.append(f"{name} is imported at load time")
        d += 20
    # Delay-load imports: 32-byte descriptors (attributes, name, module handle, IAT, INT, ...).
    # GNU ld does not always fill in their data directory, so the file is searched for them.
    found = set()
    delay = u32(dirs + 8 * 13)
    if delay and offset(delay) is not None:
        d = offset(delay)
        while u32(d + 4):
            found.add(d)
            d += 32
    for d in range(0, len(data) - 32, 4):
        if u32(d) == 1 and offset(u32(d + 4)) is not None and offset(u32(d + 12)) is not None \
                and offset(u32(d + 16)) is not None and cstr(u32(d + 4)).lower().endswith(".dll"):
            found.add(d)
    for d in sorted(found):
        name, iat, names = cstr(u32(d + 4)), u32(d + 12), u32(d + 16)
        for k in range(4096):
            entry_off = offset(names + k * ptr_size)
            entry = read_ptr(entry_off) if entry_off is not None else 0
            if entry == 0:
                break
            func = cstr((entry & 0x7FFFFFFF) + 2)
            slot_off = offset(iat + k * ptr_size)
            slot = read_ptr(slot_off) if slot_off is not None else 0
            print(f"  delay {name} {func}: slot holds {slot:#x}")
            if slot == 0:
                problems.append(f"the delay-load slot of {name} {func} is empty")
    for p in problems:
        print(f"FAIL: {p}", file=sys.stderr)
    return 1 if problems else 0


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(fail("usage: pe-imports.py EXE..."))
    sys.exit(max(main(path) for path in sys.argv[1:]))
