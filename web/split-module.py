#!/usr/bin/env python3
"""Splits the page's core module in two with binaryen's wasm-split: what the
page needs to start, and the tool windows' part (the goals and plans windows),
which the page loads when one of them is first opened.

    split-module.py CORE.wasm OUT_DIR TOOL_EXPORTS_REGEX

The tool windows' part holds exactly the functions that only the matching
exports reach. A function that any other export, the module's start or the
function table reaches stays in the first module, so that nothing the page
calls before the tool windows are loaded can reach a missing function (those
would reach a placeholder, which the page's binding makes throw). It also
holds a copy of every function of the first module that those functions
call, so that their calls stay inside it, where the engine can inline them
(wasm_copies.py). Writes
OUT_DIR/rollwerk_core.wasm and OUT_DIR/rollwerk_tool_windows.wasm.
"""
import re
import subprocess
import sys
import tempfile
from collections import defaultdict
from pathlib import Path

from wasm_copies import own_copies

FUNC = re.compile(r'^ \(func (\$\S+)')
EXPORT = re.compile(r'^ \(export "([^"]+)" \(func (\$\S+)\)\)')
DEFINED = re.compile(r'^\$\d+$')
CALLED = re.compile(r'\((?:call|return_call|ref\.func) (\$[^\s()]+)')


def call_graph(wat):
    """The module's direct calls, its exported functions and those in its table."""
    calls = defaultdict(set)
    exports = {}
    table = set()
    current = None
    for line in wat.splitlines():
        if match := FUNC.match(line):
            current = match.group(1)
        elif line.startswith(' (elem'):
            table.update(word.rstrip(')') for word in line.split() if word.startswith('$'))
            current = None
        elif match := EXPORT.match(line):
            exports[match.group(1)] = match.group(2)
        elif line.startswith(' (') and not line.startswith(' (func'):
            current = None
        elif current:
            calls[current].update(CALLED.findall(line))
    return calls, exports, table


def reached(calls, roots):
    seen = set(roots)
    stack = list(roots)
    while stack:
        for callee in calls[stack.pop()] - seen:
            seen.add(callee)
            stack.append(callee)
    return seen


def main(core, out_dir, tool_exports):
    out = Path(out_dir)
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        wat = subprocess.run(['wasm-dis', core], check=True, capture_output=True, text=True).stdout
        calls, exports, table = call_graph(wat)
        tools = {name for name in exports if re.fullmatch(tool_exports, name)}
        if not tools:
            sys.exit(f'split-module.py: no export matches {tool_exports}')
        others = [function for name, function in exports.items() if name not in tools]
        start = [line.split()[1].rstrip(')') for line in wat.splitlines() if line.startswith(' (start ')]
        split = reached(calls, [exports[name] for name in tools]) - reached(calls, others + start + list(table))
        # The disassembly's names are the module's function numbers (it carries no names).
        number = lambda name: int(name[1:])
        # What the tool windows' part calls of the first module's, it gets a copy of.
        shared = [number(name) for name in reached(calls, split) - split if DEFINED.match(name)]
        module, copies = own_copies(Path(core).read_bytes(), [number(name) for name in split], shared)
        own = work / 'own.wasm'
        own.write_bytes(module)
        listed = work / 'split.txt'
        listed.write_text(''.join(f'{function}\n' for function in sorted(map(number, split)) + copies))
        subprocess.run(['wasm-split', own, '-all', f'--split-funcs=@{listed}',
                        '-o1', work / 'first.wasm', '-o2', work / 'tools.wasm',
                        '--import-namespace=primary', '--placeholder-namespace=placeholder'], check=True)
        for part, name in (('first', 'rollwerk_core.wasm'), ('tools', 'rollwerk_tool_windows.wasm')):
            subprocess.run(['wasm-opt', '-all', '--strip-debug', '--strip-producers',
                            work / f'{part}.wasm', '-o', out / name], check=True)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
