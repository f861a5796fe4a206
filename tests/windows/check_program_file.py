#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Reads back what the built amorial.exe tells Windows before it starts: its
# manifest (Windows 10 and 11, per-monitor DPI awareness v2, common controls
# 6, the UTF-8 code page, no elevation) and its icon (every size Windows asks
# for, in full colour).
#   check_program_file.py <amorial.exe> <icon sizes, as "16,20,...">
import sys
import xml.etree.ElementTree as ElementTree

import peresources

WINDOWS_10_AND_11 = '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'
NAMESPACES = {
    'asm1': 'urn:schemas-microsoft-com:asm.v1',
    'asm3': 'urn:schemas-microsoft-com:asm.v3',
    'compatibility': 'urn:schemas-microsoft-com:compatibility.v1',
    'settings2016': 'http://schemas.microsoft.com/SMI/2016/WindowsSettings',
    'settings2019': 'http://schemas.microsoft.com/SMI/2019/WindowsSettings',
}
# (what, path in the manifest, attribute or None for the text, the value)
MANIFEST = [
    ('Windows 10 and 11', 'compatibility:compatibility/compatibility:application/compatibility:supportedOS',
     'Id', WINDOWS_10_AND_11),
    ('per-monitor DPI awareness v2', 'asm3:application/asm3:windowsSettings/settings2016:dpiAwareness',
     None, 'PerMonitorV2'),
    ('the UTF-8 code page', 'asm3:application/asm3:windowsSettings/settings2019:activeCodePage', None, 'UTF-8'),
    ('common controls 6', 'asm1:dependency/asm1:dependentAssembly/asm1:assemblyIdentity', 'name',
     'Microsoft.Windows.Common-Controls'),
    ('common controls 6', 'asm1:dependency/asm1:dependentAssembly/asm1:assemblyIdentity', 'version', '6.0.0.0'),
    ('no elevation', 'asm3:trustInfo/asm3:security/asm3:requestedPrivileges/asm3:requestedExecutionLevel',
     'level', 'asInvoker'),
]


def problems(path, icon_sizes):
    with open(path, 'rb') as file:
        found = peresources.resources(file.read())
    text = peresources.manifest(found)
    root = ElementTree.fromstring(text) if text else ElementTree.Element('none')
    for what, where, attribute, expected in MANIFEST:
        values = [element.get(attribute) if attribute else (element.text or '').strip()
                  for element in root.findall(where, NAMESPACES)]
        if expected not in values:
            yield f'the manifest does not declare {what}: {where} holds {values}, not {expected!r}'
    images = peresources.icon_images(found)
    sizes = sorted(width for width, height, _ in images if width == height)
    if sizes != icon_sizes:
        yield f'the icon holds the sizes {sizes}, not {icon_sizes}'
    for width, height, bits in images:
        if bits != 32:
            yield f'the icon\'s {width}x{height} image has {bits} bits a pixel, not 32'


def main():
    found = list(problems(sys.argv[1], sorted(int(size) for size in sys.argv[2].split(','))))
    for problem in found:
        print('FAIL:', problem)
    print(f'{len(MANIFEST) + 2 - len(found)} passed, {len(found)} failed')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
