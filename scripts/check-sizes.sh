#!/usr/bin/env bash
# Reports the product sources over the size limits: files over 500 lines and function bodies
# over 50 lines (from the line of the opening brace to the line of the closing one, exclusive).
# Tests, benchmarks and fuzz targets are not product code. Exits 1 when anything is reported.
#   scripts/check-sizes.sh [FOLDER...]   (default: every product folder)
set -euo pipefail
cd "$(dirname "$0")/.."
folders=("$@")
[ ${#folders[@]} -gt 0 ] ||
    folders=(params lang link monitor session settings storage sheet editors report about map3d
             app tools)
existing=()
for f in "${folders[@]}"; do
    [ -d "$f" ] && existing+=("$f")
done
exec python3 - "${existing[@]}" <<'EOF'
import pathlib
import re
import sys

MAX_FILE_LINES = 500
MAX_FUNCTION_LINES = 50


def strip(text):
    """The source with comments, string and character literals blanked (line ends kept)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append('""' + re.sub(r"[^\n]", "", text[i:j]))
            i = j
        elif c == '"' or (c == "'" and not (i and text[i - 1].isalnum())):
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    # Preprocessor lines (and their continuations) are no code to measure.
    return re.sub(r"(?m)^[ \t]*#(.*\\\n)*.*$", "", "".join(out))


def without_parens(head):
    depth, kept = 0, []
    for c in head:
        if c == "(":
            depth += 1
        elif c == ")":
            depth -= 1
        elif depth == 0:
            kept.append(c)
    return "".join(kept)


SCOPE_HEAD = r"(template\s*<[^{]*>\s*)?(inline\s+)?(namespace|class|struct|union|enum|extern)\b"
QUALIFIERS = r"(\s*(const|override|final|noexcept(\([^)]*\))?|mutable|&&?|->\s*[\w:<>,\s*&]+))*"


def is_function_head(head):
    head = " ".join(head.split())
    if not head or re.match(SCOPE_HEAD, head):
        return False
    if re.search(r"(^|[^=!<>])=($|[^=])", without_parens(head).replace("operator", "")):
        return False
    return bool(re.search(r"\)" + QUALIFIERS + r"$", head) or re.search(r"\)\s*(const\s*)?(noexcept\s*)?:[^:]", head))


def function_name(head):
    head = re.sub(r"^\s*template\s*<[^()]*>\s*", "", " ".join(head.split()))
    m = re.search(r"([\w:~]+(operator\s*[^\s(]+)?)\s*\(", head)
    return m.group(1) if m else head[:60]


def functions(text):
    """(name, first line, body lines) of every function body outside another function."""
    found = []
    stack = []  # kinds of the open blocks: "function", "scope" (namespace, class), "other"
    head = []
    line = 1
    starts = []
    for c in text:
        if c == "\n":
            line += 1
        inside_function = "function" in stack
        if c == "{":
            if inside_function:
                stack.append("other")
            else:
                text_head = "".join(head)
                if is_function_head(text_head):
                    stack.append("function")
                    starts.append((function_name(text_head), line))
                    head = []
                elif re.match(SCOPE_HEAD, " ".join(text_head.split())):
                    stack.append("scope")
                    head = []
                else:
                    stack.append("other")
                    head.append(c)
            continue
        if c == "}":
            kind = stack.pop() if stack else "scope"
            if kind == "function":
                name, start = starts.pop()
                found.append((name, start, line - start))
                head = []
            elif kind == "scope":
                head = []
            elif not inside_function or "function" not in stack:
                head.append(c)
            continue
        if inside_function:
            continue
        if c == ";" and (not stack or stack[-1] == "scope"):
            head = []
        elif c == ":" and (not stack or stack[-1] == "scope") and re.search(r"\b(public|private|protected|signals|slots|Q_SLOTS|Q_SIGNALS)\s*$", "".join(head)):
            head = []
        else:
            head.append(c)
    return found


def main(folders):
    reported = 0
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix not in (".cpp", ".h") or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            lines = text.count("\n")
            if lines > MAX_FILE_LINES:
                print(f"{path}: {lines} lines (file over {MAX_FILE_LINES})")
                reported += 1
            for name, start, body in functions(strip(text)):
                if body > MAX_FUNCTION_LINES:
                    print(f"{path}:{start}: {name}: {body} lines (function over {MAX_FUNCTION_LINES})")
                    reported += 1
    print(f"{reported} over the limits" if reported else "all within the limits")
    return 1 if reported else 0


sys.exit(main(sys.argv[1:]))
EOF
