#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Reads the resources of a Windows program file (PE32+), as Windows would find
# them: the application manifest, the sizes and colour depths of the icon's
# images, and the strings of the version resource.
#   peresources.py manifest <file.exe>   prints the manifest
#   peresources.py icon <file.exe>       prints "<width>x<height> <bits per pixel>" for each image
#   peresources.py version <file.exe>    prints "<name>=<value>" for each version string
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def resources(data):
    """Every resource as {(type, name, language): bytes}; names are numbers or strings."""
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if data[pe:pe + 4] != b'PE\0\0':
        raise SystemExit('not a PE file')
    sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from('<H', data, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    resource_rva = struct.unpack_from('<I', data, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = []
    for i in range(sections):
        virtual_size, rva, raw_size, raw = struct.unpack_from('<IIII', data, table + 40 * i + 8)
        spans.append((rva, max(virtual_size, raw_size), raw))

    def offset(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return raw + rva - start
        raise SystemExit('address outside every section')

    base = offset(resource_rva)

    def name(value):
        if not value & 0x80000000:
            return value
        at = base + (value & 0x7FFFFFFF)
        length = struct.unpack_from('<H', data, at)[0]
        return data[at + 2:at + 2 + 2 * length].decode('utf-16-le')

    def walk(at, path):
        named, numbered = struct.unpack_from('<HH', data, at + 12)
        for i in range(named + numbered):
            entry_name, target = struct.unpack_from('<II', data, at + 16 + 8 * i)
            here = path + (name(entry_name),)
            if target & 0x80000000:
                yield from walk(base + (target & 0x7FFFFFFF), here)
            else:
                rva, size = struct.unpack_from('<II', data, base + target)
                yield here, data[offset(rva):offset(rva) + size]

    return dict(walk(base, ()))


def manifest(found):
    """The application manifest's text, or None."""
    return next((v.decode('utf-8') for (kind, _, _), v in found.items() if kind == RT_MANIFEST), None)


def icon_images(found):
    """The first icon group's images: (width, height, bits per pixel)."""
    group = next(v for (kind, _, _), v in sorted(found.items(), key=str) if kind == RT_GROUP_ICON)
    count = struct.unpack_from('<H', group, 4)[0]
    images = []
    for i in range(count):
        width, height, _, _, _, bits, _, _ = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        images.append((width or 256, height or 256, bits))
    return images


def version_strings(found):
    """The StringFileInfo strings of the version resource."""
    block = next(v for (kind, _, _), v in found.items() if kind == RT_VERSION)
    strings = {}

    def node(at, parents):
        length, value_length, kind = struct.unpack_from('<HHH', block, at)
        end = at + length
        key_end = at + 6
        while block[key_end:key_end + 2] != b'\0\0':
            key_end += 2
        key = block[at + 6:key_end].decode('utf-16-le')
        value_at = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if kind == 1 else value_length
        if len(parents) == 2 and parents[0] == 'StringFileInfo':
            strings[key] = block[value_at:value_at + value_size].decode('utf-16-le').rstrip('\0')
        child = (value_at + value_size + 3) & ~3
        while child < end:
            child_length = struct.unpack_from('<H', block, child)[0]
            if not child_length:
                break
            node(child, parents + (key,) if parents or key != 'VS_VERSION_INFO' else ())
            child = (child + child_length + 3) & ~3

    node(0, ())
    return strings


def main():
    what, path = sys.argv[1], sys.argv[2]
    with open(path, 'rb') as file:
        found = resources(file.read())
    if what == 'manifest':
        print(manifest(found) or '', end='')
    elif what == 'icon':
        for width, height, bits in icon_images(found):
            print(f'{width}x{height} {bits}')
    elif what == 'version':
        for key, value in version_strings(found).items():
            print(f'{key}={value}')
    else:
        raise SystemExit(f'unknown question {what}')


if __name__ == '__main__':
    main()
