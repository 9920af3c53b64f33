"""Copies of a WebAssembly module's functions, for split-module.py.

own_copies(module, functions, shared) adds to the module a copy of each
function in shared and makes every direct call in functions, and in the
copies, that reached a shared function reach its copy instead. Split off
together with functions, the copies keep their calls inside one module,
where the engine may inline them; a call to another module may not be.
Functions are numbered from the module's first defined function, as
binaryen names them in a module without names (wasm-dis's $0, $1, ...).
Table entries, exports and ref.func keep the originals.
"""

SECTION_IMPORT, SECTION_FUNCTION, SECTION_CODE = 2, 3, 10
IMPORT_FUNCTION = 0
CALL, RETURN_CALL = 0x10, 0x12


def uleb(data, at):
    """An unsigned LEB128 number at data[at], and where the bytes after it start."""
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def skip_leb(data, at):
    while data[at] & 0x80:
        at += 1
    return at + 1


def encode(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        out.append(byte | (0x80 if value else 0))
        if not value:
            return bytes(out)


def vector(items):
    return encode(len(items)) + b''.join(items)


def skip_numbers(count):
    def skip(data, at):
        for _ in range(count):
            at = skip_leb(data, at)
        return at
    return skip


def skip_bytes(count):
    return lambda data, at: at + count


def skip_br_table(data, at):
    count, at = uleb(data, at)
    return skip_numbers(count + 1)(data, at)


def skip_select_types(data, at):
    count, at = uleb(data, at)
    return at + count


# How to skip the immediates that follow each instruction's opcode (a memory
# argument is two numbers). Only what a C++ module built with exceptions and
# SIMD holds: another opcode stops the build rather than being misread.
NONE = skip_numbers(0)
ONE = skip_numbers(1)
TWO = skip_numbers(2)
OPCODES = {
    **{op: NONE for op in (0x00, 0x01, 0x05, 0x0B, 0x0F, 0x19, 0x1A, 0x1B, 0xD1)},
    **{op: ONE for op in (0x02, 0x03, 0x04, 0x06)},  # block types: a valtype byte or a type index
    **{op: ONE for op in (0x07, 0x08, 0x09, 0x0C, 0x0D, 0x10, 0x12, 0x18, 0xD0, 0xD2)},
    **{op: ONE for op in range(0x20, 0x27)},
    **{op: TWO for op in range(0x28, 0x3F)},
    0x0E: skip_br_table, 0x11: TWO, 0x13: TWO, 0x1C: skip_select_types,
    0x3F: ONE, 0x40: ONE, 0x41: ONE, 0x42: ONE, 0x43: skip_bytes(4), 0x44: skip_bytes(8),
    **{op: NONE for op in range(0x45, 0xC5)},
}
# 0xFC: saturating truncations, bulk memory and tables.
MISC = {**{op: NONE for op in range(0, 8)}, 8: TWO, 9: ONE, 10: TWO, 11: ONE, 12: TWO, 13: ONE, 14: TWO,
        15: ONE, 16: ONE, 17: ONE}


def skip_simd(sub):
    if sub <= 0x0B or sub in (0x5C, 0x5D):
        return TWO
    if sub in (0x0C, 0x0D):
        return skip_bytes(16)
    if 0x15 <= sub <= 0x22:
        return skip_bytes(1)
    if 0x54 <= sub <= 0x5B:
        return lambda data, at: TWO(data, at) + 1
    return NONE


def with_calls(body, target):
    """A function body with every direct call's callee (an absolute function index) mapped by target."""
    count, at = uleb(body, 0)
    for _ in range(count):
        at = skip_leb(body, at) + 1  # a run of locals: its length and a valtype byte
    out = bytearray(body[:at])
    while at < len(body):
        start, op = at, body[at]
        at += 1
        if op in (CALL, RETURN_CALL):
            callee, at = uleb(body, at)
            out += bytes([op]) + encode(target(callee))
            continue
        if op == 0xFC:
            sub, at = uleb(body, at)
            skip = MISC.get(sub)
        elif op == 0xFD:
            sub, at = uleb(body, at)
            skip = skip_simd(sub)
        else:
            skip = OPCODES.get(op)
        if skip is None:
            raise ValueError(f'wasm_copies: unknown opcode 0x{op:02x} at byte {start} of a function body')
        at = skip(body, at)
        out += body[start:at]
    return bytes(out)


def read_vector(payload, read_item):
    count, at = uleb(payload, 0)
    items = []
    for _ in range(count):
        item, at = read_item(payload, at)
        items.append(item)
    return items


def sized(payload, at):
    size, start = uleb(payload, at)
    return payload[start:start + size], start + size


def imported_functions(payload):
    count, at = uleb(payload, 0)
    functions = 0
    for _ in range(count):
        for _ in range(2):  # module and field names
            size, at = uleb(payload, at)
            at += size
        kind = payload[at]
        at += 1
        if kind == IMPORT_FUNCTION:
            functions += 1
            at = skip_leb(payload, at)
        elif kind == 1:  # table: reftype and limits
            at = skip_limits(payload, at + 1)
        elif kind == 2:  # memory: limits
            at = skip_limits(payload, at)
        elif kind == 3:  # global: valtype and mutability
            at += 2
        elif kind == 4:  # tag: attribute and type
            at = skip_leb(payload, at + 1)
        else:
            raise ValueError(f'wasm_copies: unknown import kind {kind}')
    return functions


def skip_limits(payload, at):
    flags = payload[at]
    return skip_numbers(2 if flags & 1 else 1)(payload, at + 1)


def own_copies(module, functions, shared):
    """The module with the copies; and the numbers of the copies, in shared's sorted order."""
    if module[:8] != b'\0asm\1\0\0\0':
        raise ValueError('wasm_copies: not a WebAssembly module')
    sections = []
    at = 8
    while at < len(module):
        section = module[at]
        payload, at = sized(module, at + 1)
        sections.append([section, payload])
    payloads = {section: payload for section, payload in sections}
    imports = imported_functions(payloads[SECTION_IMPORT]) if SECTION_IMPORT in payloads else 0
    types = read_vector(payloads[SECTION_FUNCTION], lambda data, at: (data[at:skip_leb(data, at)], skip_leb(data, at)))
    bodies = read_vector(payloads[SECTION_CODE], sized)
    originals = sorted(shared)
    copy_of = {imports + original: imports + len(bodies) + n for n, original in enumerate(originals)}
    target = lambda callee: copy_of.get(callee, callee)
    copies = [with_calls(bodies[original], target) for original in originals]
    for function in functions:
        bodies[function] = with_calls(bodies[function], target)
    types += [types[original] for original in originals]
    bodies += copies
    for entry in sections:
        if entry[0] == SECTION_FUNCTION:
            entry[1] = vector(types)
        elif entry[0] == SECTION_CODE:
            entry[1] = vector([encode(len(body)) + body for body in bodies])
    out = bytearray(module[:8])
    for section, payload in sections:
        out += bytes([section]) + encode(len(payload)) + payload
    return bytes(out), [len(types) - len(originals) + n for n in range(len(originals))]
