#!/usr/bin/python3
"""Checks that a 32-bit Windows program can start on every Windows the CD is made for.

    import_gate.py PROGRAM.exe [--late-bound HEADER] [--allowlist FILE] [--exports DIR]

(by default the program's own table, tools/import_allowlist.txt and tools/win-exports)

The Windows loader refuses a program whose static imports name a DLL or a function that the running
Windows lacks, so every static import must be in the export list of every target (one list per
version and DLL under DIR, each naming its source at the top). Functions that the program loads at run
time are listed in HEADER (LATE_BOUND(dll, Name) lines); one that a target lacks must be named in the
allowlist together with the code path and the check that keeps it from being called there.
The program's manifest must be one that XP and 2003 load (trustInfo in the asm.v2 namespace, declared
once), ask for elevation on Vista and later, name the versions from Vista to 11, and leave DPI alone.
Exit code 0 when all is well, 1 with one line per fault, 2 when the program cannot be read.
"""
import argparse
import os
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)

# The DLLs that every target from Windows 95 on has in its stock install. A static import from any other
# DLL (wininet, ws2_32, setupapi, cfgmgr32, shlwapi, ...) would stop the program from starting where the
# DLL is missing: those are loaded at run time.
EVERYWHERE = {"kernel32", "user32", "gdi32", "advapi32", "shell32", "ole32", "oleaut32", "comctl32",
              "msvcrt", "winmm", "version", "comdlg32"}

# The x64 lists stand in for Server 2003 x64's 32-bit DLLs; names that exist only in 32-bit DLLs (the
# C runtime's x86 entry points, kernel32's Interlocked functions) are missing from them by design.
PROXY = "win2003-x64-proxy"
PROXY_UNCHECKED = re.compile(r"^(msvcrt!.*|kernel32!Interlocked\w+)$")


# Windows 95, 98 and ME export the wide-character forms and the NT security calls only as stubs that
# fail. A static import of one passes the loader there; each needs an allowlist line for "9x" that names
# the code path and why it is never reached on 9x, or what happens when it is.
STUB_DLLS_9X = {"kernel32", "user32", "gdi32", "advapi32", "shell32"}
NT_SECURITY = {"OpenProcessToken", "GetTokenInformation", "AllocateAndInitializeSid", "EqualSid", "FreeSid",
               "LookupPrivilegeValueA", "AdjustTokenPrivileges"}


def stub_on_9x(dll, name):
    return dll in STUB_DLLS_9X and (name.endswith("W") or name in NT_SECURITY)


ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V2 = "{urn:schemas-microsoft-com:asm.v2}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {  # Vista, 7, 8, 8.1, 10 and 11
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


class BadImage(Exception):
    pass


def read_imports(path):
    """The static imports and delay imports of a PE32 image as (kind, dll, name) triples."""
    with open(path, "rb") as f:
        data = f.read()

    def u16(o):
        return struct.unpack_from("<H", data, o)[0]

    def u32(o):
        return struct.unpack_from("<I", data, o)[0]

    try:
        if data[:2] != b"MZ":
            raise BadImage("not a Windows program")
        pe = u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise BadImage("no PE header")
        sections, opt_size = u16(pe + 6), u16(pe + 20)
        opt = pe + 24
        if u16(opt) != 0x10B:
            raise BadImage("not a 32-bit program")
        for field, at in (("system", 40), ("subsystem", 48)):
            if (u16(opt + at), u16(opt + at + 2)) > (4, 0):
                result.append(("header", "header", "%s version %d.%d" % (field, u16(opt + at), u16(opt + at + 2))))
        dirs = opt + 96
        sec = opt + opt_size
        table = [struct.unpack_from("<IIII", data, sec + 40 * i + 8) for i in range(sections)]

        def offset(rva):
            for vsize, va, rawsize, raw in table:
                if va <= rva < va + max(vsize, rawsize):
                    return raw + rva - va
            raise BadImage("address 0x%x outside every section" % rva)

        def cstr(rva):
            o = offset(rva)
            return data[o:data.index(b"\0", o)].decode("latin-1")

        def names(thunks_rva):
            o, out = offset(thunks_rva), []
            while u32(o):
                t = u32(o)
                out.append("#%d" % (t & 0xFFFF) if t & 0x80000000 else cstr(t + 2))
                o += 4
            return out

        result = []
        rva = u32(dirs + 8)  # import directory
        o = offset(rva) if rva else None
        while o is not None and any(data[o:o + 20]):
            lookup, dll = u32(o) or u32(o + 16), cstr(u32(o + 12))
            result += [("static", dll, n) for n in names(lookup)]
            o += 20
        rva = u32(dirs + 9 * 8)  # TLS directory: its callbacks, as virtual addresses
        if rva:
            base, o = u32(opt + 28), offset(u32(offset(rva) + 12) - u32(opt + 28))
            while u32(o):
                result.append(("tls", "tls", "callback 0x%x" % (u32(o) - base)))
                o += 4
        rva = u32(dirs + 2 * 8)  # resources: the manifest is type 24, id 1, in any language
        if rva:
            def entries(o):
                return [(u32(o + 16 + 8 * i), u32(o + 20 + 8 * i)) for i in range(u16(o + 12) + u16(o + 14))]
            base = offset(rva)
            for kind, types in entries(base):
                for ident, langs in (entries(base + (types & 0x7FFFFFFF)) if kind == 24 else []):
                    for _, leaf in entries(base + (langs & 0x7FFFFFFF)):
                        at = offset(u32(base + leaf))
                        result.append(("manifest", str(ident), data[at:at + u32(base + leaf + 4)]))
        rva = u32(dirs + 13 * 8)  # delay-import directory
        o = offset(rva) if rva else None
        while o is not None and any(data[o:o + 32]):
            dll = cstr(u32(o + 4))
            result += [("delay", dll, n) for n in names(u32(o + 16))]
            o += 32
        return result
    except (struct.error, ValueError, IndexError) as e:
        raise BadImage("damaged import table (%s)" % e)


def manifest_faults(manifests):
    """What keeps the manifest resources from doing their work on every Windows."""
    if [ident for ident, _ in manifests] != ["1"]:
        return ["manifest: %d manifest resources, ids %s; one, id 1, is wanted" %
                (len(manifests), ", ".join(i for i, _ in manifests) or "none")]
    text = manifests[0][1]
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as e:
        return ["manifest: not well-formed XML (%s)" % e]
    faults = []
    if root.tag != ASM_V1 + "assembly" or root.get("manifestVersion") != "1.0":
        faults.append("manifest: the root is not an asm.v1 assembly of manifestVersion 1.0")
    trust = re.findall(rb"<([\w:]*trustInfo)\b([^>]*)>", text)
    if len(trust) != 1 or trust[0][0] != b"trustInfo" or trust[0][1].count(b"xmlns") != 1 or \
            root.find(ASM_V2 + "trustInfo") is None:
        faults.append("manifest: trustInfo must be one element in the asm.v2 namespace, declared once "
                      "(XP and 2003 refuse or crash on other forms)")
    level = root.find(".//" + ASM_V2 + "requestedExecutionLevel")
    if level is None or level.get("level") != "requireAdministrator":
        faults.append("manifest: no requestedExecutionLevel requireAdministrator")
    found = {e.get("Id", "").lower() for e in root.iter(COMPAT + "supportedOS")}
    if not SUPPORTED_OS <= found:
        faults.append("manifest: supportedOS misses %s" % ", ".join(sorted(SUPPORTED_OS - found)))
    if re.search(rb"dpiAware", text):
        faults.append("manifest: declares DPI awareness; the skin must be scaled by the system")
    return faults


def read_exports(root):
    """{version: {dll: set(names)}} from DIR/VERSION/DLL.txt."""
    out = {}
    for version in sorted(os.listdir(root)):
        folder = os.path.join(root, version)
        for file in sorted(os.listdir(folder)):
            with open(os.path.join(folder, file), encoding="utf-8") as f:
                names = {l.strip() for l in f if l.strip() and not l.startswith("#")}
            out.setdefault(version, {})[file[:-4].lower()] = names
    return out


def read_late_bound(header):
    with open(header, encoding="utf-8") as f:
        return [(d.lower(), n) for d, n in re.findall(r"LATE_BOUND\(\s*(\w+)\s*,\s*(\w+)\s*\)", f.read())]


def read_allowlist(path):
    """{dll!name: set(versions)} from lines 'dll!Name versions... : why'."""
    allowed = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            head, _, why = line.partition(":")
            words = head.split()
            if len(words) < 2 or not why.strip():
                raise BadImage("allowlist line without versions or reason: " + line)
            allowed[words[0].lower()] = set(words[1:])
    return allowed


def missing_on(exports, dll, name):
    """The versions whose list of `dll` lacks `name`, and those with no list of `dll` at all."""
    lacking, unknown = [], []
    for version, dlls in exports.items():
        if dll not in dlls:
            unknown.append(version)
        elif name not in dlls[dll] and not (version == PROXY and PROXY_UNCHECKED.match(dll + "!" + name)):
            lacking.append(version)
    return lacking, unknown


def gate(program, late_header, allowlist, exports_dir):
    exports = read_exports(exports_dir)
    allowed = read_allowlist(allowlist) if allowlist else {}
    faults, unchecked = [], set()
    imports = read_imports(program)
    faults += manifest_faults([(dll, name) for kind, dll, name in imports if kind == "manifest"])
    for kind, dll, name in imports:
        if kind == "manifest":
            continue
        base = dll.lower().rsplit(".", 1)[0]
        if kind == "header":
            faults.append("PE header: %s; Windows 95 and NT 4 load only 4.0" % name)
            continue
        if kind == "tls":
            if "9x" not in allowed.get("tls!callbacks", set()):
                faults.append("TLS %s: Windows 95, 98 and ME do not run it, and no allowlist line says why that is "
                              "safe" % name)
            continue
        if kind == "delay":
            faults.append("%s!%s: a delay import; load it through the program's table instead" % (dll, name))
            continue
        if base not in EVERYWHERE:
            faults.append("%s!%s: %s is not on every target; load it at run time" % (dll, name, dll))
            continue
        lacking, unknown = missing_on(exports, base, name)
        unchecked.update((v, base) for v in unknown)
        if lacking:
            faults.append("%s!%s: not exported by %s" % (dll, name, ", ".join(lacking)))
        if stub_on_9x(base, name) and "9x" not in allowed.get("%s!%s" % (base, name.lower()), set()):
            faults.append("%s!%s: only a failing stub on Windows 95, 98 and ME, and no allowlist line says why "
                          "that is safe" % (dll, name))
    if late_header:
        for dll, name in read_late_bound(late_header):
            lacking, _ = missing_on(exports, dll, name)
            key = "%s!%s" % (dll, name.lower())
            uncovered = [v for v in lacking if v not in allowed.get(key, set())]
            if uncovered:
                faults.append("%s!%s (loaded at run time): not exported by %s, and no allowlist line says why "
                              "that is safe" % (dll, name, ", ".join(uncovered)))
    return faults, unchecked


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("program")
    ap.add_argument("--late-bound", default=os.path.join(TOP, "src", "win32", "LateBound.h"))
    ap.add_argument("--allowlist", default=os.path.join(HERE, "import_allowlist.txt"))
    ap.add_argument("--exports", default=os.path.join(HERE, "win-exports"))
    args = ap.parse_args()
    try:
        faults, unchecked = gate(args.program, args.late_bound, args.allowlist, args.exports)
    except (OSError, BadImage) as e:
        print("import gate: %s: %s" % (args.program, e), file=sys.stderr)
        return 2
    for f in faults:
        print("import gate: " + f)
    print("import gate: %s: %s" % (os.path.basename(args.program),
          "%d fault(s)" % len(faults) if faults else "every import is on every target"))
    by_version = {}
    for version, dll in unchecked:
        by_version.setdefault(version, []).append(dll)
    for version, dlls in sorted(by_version.items()):
        print("import gate: no export list of %s for %s" % (version, ", ".join(sorted(dlls))))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
