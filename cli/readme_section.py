#!/usr/bin/env python3
"""The README's section on the command line is the Markdown that
`rv7300s-cli help --markdown` makes from the help text, so that the two
cannot drift apart.

  readme_section.py check README.md RV7300S_CLI    exit 1 when they differ
  readme_section.py update README.md RV7300S_CLI   writes the section again

The section runs from its "## " heading to the next "## " heading (or the
end); the rest of the README is left as it is."""
import difflib
import subprocess
import sys


def section_bounds(lines, heading):
    """Start and end of the section under `heading` in `lines`."""
    try:
        start = lines.index(heading)
    except ValueError:
        sys.exit(f"the README has no heading {heading!r}")
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("## ")), len(lines))
    while end > start + 1 and lines[end - 1] == "":
        end -= 1  # the blank lines before the next heading stay outside
    return start, end


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("check", "update"):
        sys.exit(__doc__)
    mode, readme, cli = sys.argv[1:]
    generated = subprocess.run([cli, "help", "--markdown"], check=True, capture_output=True,
                               text=True, encoding="utf-8").stdout.splitlines()
    with open(readme, encoding="utf-8") as f:
        lines = f.read().splitlines()
    start, end = section_bounds(lines, generated[0])
    if mode == "check":
        if lines[start:end] == generated:
            return
        sys.stdout.writelines(difflib.unified_diff([l + "\n" for l in lines[start:end]], [l + "\n" for l in generated],
                                                   "README.md", "rv7300s-cli help --markdown"))
        sys.exit("the README's command-line section is not the help text's; "
                 f"run: {sys.argv[0]} update {readme} {cli}")
    with open(readme, "w", encoding="utf-8") as f:
        f.write("\n".join(lines[:start] + generated + lines[end:]) + "\n")


if __name__ == "__main__":
    main()
