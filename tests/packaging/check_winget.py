#!/usr/bin/env python3
"""Checks the package manager's manifests in packaging/winget/: each file
against the published schema of its type, the three files about one package,
and the expected return codes against the installer's own exit codes, so that
a renumbered or added code cannot go unmapped. With an installer, also the
manifests that tools/winget-manifest.sh writes for it.

Usage: check_winget.py SOURCE-DIR [INSTALLER.exe]"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile

import jsonschema
import yaml

SCHEMAS = {
    "version": "manifest.version.1.10.0.json",
    "defaultLocale": "manifest.defaultLocale.1.10.0.json",
    "installer": "manifest.installer.1.10.0.json",
}
# Where the package manager has a name for an outcome, that name.
NAMED = {
    "ExitCancelled": "cancelledByUser",
    "ExitBadCommandLine": "invalidParameter",
    "ExitPlayerRunning": "packageInUse",
    "ExitDiskFull": "diskFull",
    "ExitOutOfMemory": "insufficientMemory",
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def exit_codes(source):
    with open(os.path.join(source, "app", "ExitCodes.h")) as header:
        return {name: int(value)
                for name, value in re.findall(r"^\s*(Exit\w+) = (\d+),", header.read(), re.M)}


def check_manifests(folder, source):
    schema_dir = os.path.join(source, "tests", "packaging", "winget-schemas")
    manifests = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".yaml"):
            continue
        with open(os.path.join(folder, name)) as stream:
            manifest = yaml.safe_load(stream)
        kind = manifest.get("ManifestType")
        check(kind in SCHEMAS, f"{name}: unknown ManifestType {kind}")
        if kind not in SCHEMAS:
            continue
        with open(os.path.join(schema_dir, SCHEMAS[kind])) as stream:
            schema = json.load(stream)
        for error in jsonschema.Draft7Validator(schema).iter_errors(manifest):
            failures.append(f"{name}: {'/'.join(map(str, error.path))}: {error.message}")
        check(manifest.get("ManifestVersion") == "1.10.0", f"{name}: not manifest version 1.10.0")
        manifests[kind] = manifest
    check(sorted(manifests) == sorted(SCHEMAS), f"{folder}: expected one manifest of each type")
    if sorted(manifests) != sorted(SCHEMAS):
        return None
    for field in ("PackageIdentifier", "PackageVersion"):
        values = {m[field] for m in manifests.values()}
        check(len(values) == 1, f"{field} differs between the files: {values}")
    check(manifests["version"]["PackageVersion"] == "2.04", "not version 2.04")

    installer = manifests["installer"]
    switches = installer.get("InstallerSwitches", {})
    check(switches.get("Silent") == "/S", "the silent switch is not /S")
    check(switches.get("InstallLocation") == "/D=<INSTALLPATH>", "the folder switch is not /D=")
    check(switches.get("Log", "").startswith("/LOG="), "the log switch is not /LOG=")
    check(installer.get("InstallerType") == "exe" and installer.get("Scope") == "machine",
          "not an exe installer for the machine")
    check(installer.get("ElevationRequirement") == "elevatesSelf",
          "the elevation is not the one the installer's own manifest asks for")

    codes = exit_codes(source)
    mapped = {entry["InstallerReturnCode"]: entry["ReturnResponse"]
              for entry in installer.get("ExpectedReturnCodes", [])}
    expected = {value for name, value in codes.items() if value != 0 and name != "ExitCodeCount"}
    check(set(mapped) == expected,
          f"return codes {sorted(mapped)} but the installer has {sorted(expected)}")
    for name, response in NAMED.items():
        check(mapped.get(codes.get(name)) == response, f"{name} is not mapped to {response}")
    return installer


def main():
    source = os.path.abspath(sys.argv[1])
    check_manifests(os.path.join(source, "packaging", "winget"), source)
    if len(sys.argv) > 2:
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([os.path.join(source, "tools", "winget-manifest.sh"), sys.argv[2], out],
                           check=True, stdout=subprocess.DEVNULL)
            installer = check_manifests(out, source)
            with open(sys.argv[2], "rb") as exe:
                digest = hashlib.sha256(exe.read()).hexdigest().upper()
            if installer:
                check(installer["Installers"][0]["InstallerSha256"] == digest,
                      "the written manifest does not carry the installer's SHA-256")
    for failure in failures:
        print("FAIL:", failure)
    print(f"winget manifests: {len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
