#!/usr/bin/python3
"""Checks a built Quillobrante.exe as a file, without running it, so that
every machine proves the shipped 32-bit program, also one whose Wine runs
no 32-bit programs. Read with pefile (Debian's python3-pefile, hence
/usr/bin/python3); the code is read with the toolchain's objdump.

  check_program_file.py i386:PATH amd64:PATH zip:ARCHIVE ...

A file fails when:
  - its machine type is not the one named;
  - it imports (or delay-imports) a library outside the set Windows always
    takes from its system folder: the program's folder is the stick;
  - an import slot does not hold what the loader fills it from (the same
    entry as the name table's), a delay-import slot does not point into
    code (the delay-load thunk that fills it), or a slot that should be
    relocated is not;
  - the code calls or loads through an address of the import section that
    is no such slot (a slot nobody fills: its first call jumps to what the
    file holds there);
  - it has no application manifest (resource 1 of type RT_MANIFEST).
Every fault is printed; the exit status is 1 when there was one."""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import pefile

EXPECTED_LIBRARIES = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"}
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
OBJDUMP = {"i386": "i686-w64-mingw32-objdump", "amd64": "x86_64-w64-mingw32-objdump"}
RT_MANIFEST = 24

# Memory operands of call, jmp and mov in objdump's AT&T syntax: absolute
# (32-bit: "call *0x4a170c", "mov 0x4a170c,%eax") or relative to the
# instruction pointer, with the address objdump works out in a comment
# (64-bit: "call *0x1234(%rip)   # 0x1400a1234").
ABSOLUTE = re.compile(r"\s(?:call|jmp|mov)\w*\s+\*?(0x[0-9a-f]+)(?:,|$)")
RELATIVE = re.compile(r"\s(?:call|jmp|mov)\w*\s+\*?-?0x[0-9a-f]+\(%rip\).*#\s*(0x[0-9a-f]+)")


def slot_value(pe, rva, width):
    return pe.get_qword_at_rva(rva) if width == 8 else pe.get_dword_at_rva(rva)


def section_of(pe, rva):
    for section in pe.sections:
        if section.VirtualAddress <= rva < section.VirtualAddress + max(section.Misc_VirtualSize, section.SizeOfRawData):
            return section
    return None


def relocated_rvas(pe):
    rvas = set()
    for block in getattr(pe, "DIRECTORY_ENTRY_BASERELOC", []):
        for entry in block.entries:
            if entry.type != pefile.RELOCATION_TYPE["IMAGE_REL_BASED_ABSOLUTE"]:
                rvas.add(entry.rva)
    return rvas


def each_slot(entries):
    """(library, function, pefile's import) for every slot of the entries."""
    for entry in entries:
        dll = entry.dll.decode("ascii", "replace")
        for imported in entry.imports:
            name = imported.name.decode("ascii", "replace") if imported.name else "#%s" % imported.ordinal
            yield dll, name, imported


def referenced_addresses(path, kind):
    """Every address the code calls, jumps or loads through."""
    listing = subprocess.run([OBJDUMP[kind], "-d", "--no-show-raw-insn", path], stdout=subprocess.PIPE,
                             check=True, text=True).stdout
    found = set()
    for line in listing.splitlines():
        match = (RELATIVE if kind == "amd64" else ABSOLUTE).search(line)
        if match:
            found.add(int(match.group(1), 16))
    return found


def check(path, kind, label=None):
    label = label or path
    faults = []
    pe = pefile.PE(path)
    base = pe.OPTIONAL_HEADER.ImageBase
    if pe.FILE_HEADER.Machine != MACHINES[kind]:
        faults.append("machine type 0x%x, not %s (0x%x)" % (pe.FILE_HEADER.Machine, kind, MACHINES[kind]))
    # The rest is read as the file is, whatever was expected of it.
    is_64 = pe.OPTIONAL_HEADER.Magic == pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS
    width = 8 if is_64 else 4
    kind = "amd64" if is_64 else "i386"

    imports = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
    delay_imports = getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])
    libraries = sorted({entry.dll.decode("ascii", "replace").lower() for entry in imports + delay_imports})
    for library in libraries:
        if library not in EXPECTED_LIBRARIES:
            faults.append("imports %s, which Windows may take from the program's folder" % library)

    relocatable = pe.OPTIONAL_HEADER.DllCharacteristics & 0x40 or hasattr(pe, "DIRECTORY_ENTRY_BASERELOC")
    relocations = relocated_rvas(pe)
    slots = {}  # RVA of a slot -> what fills it
    for dll, name, imported in each_slot(imports):
        rva = imported.address - base
        slots[rva] = "%s!%s" % (dll, name)
        value = slot_value(pe, rva, width)
        wanted = imported.struct_table.AddressOfData if imported.struct_table is not None else None
        if value == 0 or (wanted is not None and value != wanted):
            faults.append("import slot of %s!%s at 0x%x holds 0x%x, not its name entry (0x%x)"
                          % (dll, name, imported.address, value, wanted or 0))
    for dll, name, imported in each_slot(delay_imports):
        rva = imported.address - base
        slots[rva] = "%s!%s (delay-loaded)" % (dll, name)
        target = slot_value(pe, rva, width) - base
        section = section_of(pe, target) if target >= 0 else None
        if section is None or not section.Characteristics & 0x20000000:
            faults.append("delay-import slot of %s!%s at 0x%x holds 0x%x, not the address of its loading code"
                          % (dll, name, imported.address, target + base))
        elif relocatable and relocations and rva not in relocations:
            faults.append("delay-import slot of %s!%s at 0x%x is not relocated" % (dll, name, imported.address))

    import_sections = {id(section_of(pe, rva)) for rva in slots}
    directory = pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]]
    if directory.VirtualAddress:
        import_sections.add(id(section_of(pe, directory.VirtualAddress)))
    called = 0
    for address in sorted(referenced_addresses(path, kind)):
        rva = address - base
        if rva in slots:
            called += 1
            continue
        section = section_of(pe, rva)
        if section is not None and id(section) in import_sections:
            faults.append("the code calls through 0x%x in the import section, which no import fills (it holds 0x%x)"
                          % (address, slot_value(pe, rva, width)))

    manifests = []
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for resource_type in resources.entries if resources else []:
        if resource_type.id == RT_MANIFEST:
            manifests = [entry.id for entry in resource_type.directory.entries]
    if 1 not in manifests:
        faults.append("no application manifest (resource 1 of type RT_MANIFEST)")

    print("%s: %s, imports %s; %d import slots, %d called through; manifest %s: %s"
          % (label, kind, " ".join(libraries), len(slots), called, "present" if 1 in manifests else "MISSING",
             "passed" if not faults else "FAILED"))
    for fault in faults[:20]:
        print("  FAULT: " + fault)
    if len(faults) > 20:
        print("  ... and %d faults more" % (len(faults) - 20))
    return not faults


def main(arguments):
    if not arguments:
        print(__doc__)
        return 2
    passed = True
    for argument in arguments:
        kind, path = argument.split(":", 1)
        if not os.path.exists(path):
            print("%s: missing" % path)
            passed = False
        elif kind == "zip":
            # The release holds the shipped, 32-bit program.
            with zipfile.ZipFile(path) as archive, tempfile.TemporaryDirectory() as folder:
                exe = archive.extract("Quillobrante.exe", folder)
                passed &= check(exe, "i386", "%s!Quillobrante.exe" % path)
        else:
            passed &= check(path, kind)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
