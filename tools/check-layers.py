#!/usr/bin/env python3
"""Checks the includes of the game's code against its layers.

Each source folder belongs to one layer; a layer may include its own headers
and those of the layers below it (LAYERS, the same graph as
tools/game-libraries.cmake, which enforces it at build time for what it
builds). This check also covers what a build leaves out (the Windows files in
the native build and the other way round) and fails on:
  - an include of a header that does not exist under the tree;
  - an include from a layer that the graph does not allow;
  - an include cycle between folders: each layer's folder one node (the
    subfolders of a layer's folder with it, but a layer of their own such as
    stage/draw), each other folder a node, an edge for every include from one
    folder into another. With -v the cycles among a layer's own subfolders
    are listed too, without failing.

  python3 tools/check-layers.py        # from anywhere; exit 1 on a fault
  python3 tools/check-layers.py -v     # also the folder graph that was found
"""
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))

# Each layer and the layers directly below it; a layer may include any layer
# it reaches downward. A folder belongs to the longest layer path it starts with.
LAYERS = {
    'app/base': [],
    'records': ['app/base'],
    'files': ['records'],
    'vox': ['app/base'],
    'app/system': ['files', 'vox'],
    'gfx': ['app/system'],
    'app/shell': ['gfx'],
    'stage': ['app/shell'],
    'stage/draw': ['stage', 'gfx'],
    'scenes': ['stage/draw'],
    'app': ['scenes'],
    'tools/sample': ['files'],
}
# Files that belong to a layer outside its folder: the native build's stand-in
# for the close and sound requests.
FILE_LAYERS = {'tools/host_shell.cpp': 'app/base'}
# Folders whose code may include any layer (the tests, the fuzz targets and
# the tools around the game); their includes must still exist.
FREE = ('tests', 'fuzz', 'tools')
SOURCE_FOLDERS = ('app', 'gfx', 'records', 'files', 'stage', 'scenes', 'vox', 'tools', 'tests', 'fuzz')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def reach(layer, seen=None):
    seen = set() if seen is None else seen
    for lower in LAYERS[layer]:
        if lower not in seen:
            seen.add(lower)
            reach(lower, seen)
    return seen


def layer_of(path):
    if path in FILE_LAYERS:
        return FILE_LAYERS[path]
    best = None
    for layer in LAYERS:
        if (path + '/').startswith(layer + '/') or os.path.dirname(path) == layer:
            if best is None or len(layer) > len(best):
                best = layer
    return best


def node_of(path):
    """The node of a file in the folder graph: its layer, or its folder."""
    if path.startswith(FREE) and path not in FILE_LAYERS:
        return os.path.dirname(path)
    return layer_of(path) or os.path.dirname(path)


def sources():
    for top in SOURCE_FOLDERS:
        for folder, dirs, files in os.walk(os.path.join(ROOT, top)):
            dirs.sort()
            for name in sorted(files):
                if name.endswith(('.cpp', '.h', '.c', '.rc')):
                    yield os.path.relpath(os.path.join(folder, name), ROOT).replace(os.sep, '/')


def folder_cycles(edges):
    """The strongly connected groups of more than one folder (Tarjan)."""
    index, low, stack, on, groups, counter = {}, {}, [], set(), [], [0]
    nodes = sorted(set(edges) | {b for targets in edges.values() for b in targets})

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in nodes:
        if v not in index:
            visit(v)
    return groups


def main():
    verbose = '-v' in sys.argv[1:]
    faults = []
    edges = {}    # node -> {node: an include that makes the edge}
    inner = {}    # the same between the subfolders of one layer
    for path in sources():
        layer = layer_of(path)
        free = path.startswith(FREE) and path not in FILE_LAYERS
        allowed = None if free or layer is None else reach(layer) | {layer}
        with open(os.path.join(ROOT, path), encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                target = m.group(1)
                if '/' not in target:
                    # Beside the including file (the resource script's own files).
                    if not os.path.exists(os.path.join(ROOT, os.path.dirname(path), target)):
                        faults.append(f'{path}:{number}: "{target}" does not exist beside it')
                    continue
                if not os.path.exists(os.path.join(ROOT, target)):
                    faults.append(f'{path}:{number}: "{target}" does not exist')
                    continue
                into = layer_of(target)
                if allowed is not None and into is not None and into not in allowed:
                    faults.append(f'{path}:{number}: layer {layer} may not include "{target}" (layer {into})')
                a, b = node_of(path), node_of(target)
                if a != b:
                    edges.setdefault(a, {}).setdefault(b, f'{path}:{number} "{target}"')
                a, b = os.path.dirname(path), os.path.dirname(target)
                if a != b and layer_of(path) == layer_of(target):
                    inner.setdefault(a, {}).setdefault(b, f'{path}:{number} "{target}"')
    for group in folder_cycles({a: set(t) for a, t in edges.items()}):
        faults.append('include cycle between the folders ' + ', '.join(group) + ':')
        for a in group:
            for b in group:
                if b in edges.get(a, {}):
                    faults.append(f'    {a} -> {b}: {edges[a][b]}')
    if verbose:
        for a in sorted(edges):
            print(f'{a} -> {", ".join(sorted(edges[a]))}')
        for group in folder_cycles({a: set(t) for a, t in inner.items()}):
            print('(within a layer) cycle between the subfolders ' + ', '.join(group))
    for fault in faults:
        print(fault)
    if faults:
        print(f'check-layers: {len(faults)} fault(s)')
        return 1
    print('check-layers: the includes keep to the layers')
    return 0


if __name__ == '__main__':
    sys.exit(main())
