#!/usr/bin/env python3
"""ldif_values.py FILE - prints every value of an LDIF file as a sorted list of (dn, name, value)
rows, the DN and the value in hex and the name in lower case, so that two files holding the same
values in any order, folding or encoding (text or base64) print the same."""
import base64
import sys

text = open(sys.argv[1], "rb").read().replace(b"\n ", b"")
rows, dn = [], None
for line in text.split(b"\n"):
    if not line or line.startswith(b"#") or line.startswith(b"version:"):
        continue
    name, _, rest = line.partition(b":")
    value = base64.b64decode(rest[2:]) if rest.startswith(b":") else rest[1:]
    if name == b"dn":
        dn = value
    else:
        rows.append((dn.hex(), name.lower().decode(), value.hex()))
print(sorted(rows))
