#!/usr/bin/env python3
"""Runs the batch examples of the user guide and compares what they print.

    guide_check.py GUIDE EXAMPLES_DIR TRALVA_UTIL_DIR

Every ```console block of GUIDE is a session: a line "$ COMMAND" is run,
the lines after it up to the next "$ " are what it must print (standard
output and standard error together, as a terminal shows them, so a CR
before a line end does not count).  The blocks run in order in one scratch
folder holding a copy of EXAMPLES_DIR as examples/, with TRALVA_UTIL_DIR
first on the PATH, each block in one bash so that "echo $?" sees the status
of the command before it.  The pictures the guide shows must exist beside
it.  Exits 1 at any difference, naming the command.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

MARK = "\x1eguida-comando\x1e"


def sessions(guide_text):
    """[(first line number, [(command, expected lines)])] of the console blocks."""
    blocks = []
    for match in re.finditer(r"^```console\n(.*?)^```$", guide_text, re.M | re.S):
        first_line = guide_text.count("\n", 0, match.start()) + 2
        steps = []
        for line in match.group(1).splitlines():
            if line.startswith("$ "):
                steps.append((line[2:], []))
            elif not steps:
                raise SystemExit(f"line {first_line}: output before any command")
            else:
                steps[-1][1].append(line)
        blocks.append((first_line, steps))
    return blocks


def run_block(steps, folder, env):
    # The mark keeps the status of the command before it for "echo $?".
    mark = f"status=$?; printf '{MARK}\\n'; (exit $status)\n"
    script = "exec 2>&1\n" + "".join(f"{mark}{command}\n" for command, _ in steps)
    done = subprocess.run(["bash", "-c", script], cwd=folder, env=env, stdout=subprocess.PIPE,
                          timeout=300, check=False)
    printed = done.stdout.decode("utf-8", errors="replace").replace("\r\n", "\n")
    return printed.split(MARK + "\n")[1:]


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    guide, examples, tool_dir = sys.argv[1:]
    with open(guide, encoding="utf-8") as f:
        text = f.read()
    blocks = sessions(text)
    missing = [picture for picture in re.findall(r"!\[[^\]]*\]\(([^)]+)\)", text)
               if not os.path.isfile(os.path.join(os.path.dirname(guide), picture))]
    for picture in missing:
        print(f"{guide}: no picture {picture}")
    env = dict(os.environ, PATH=os.path.abspath(tool_dir) + os.pathsep + os.environ["PATH"])
    failures = 0
    commands = 0
    with tempfile.TemporaryDirectory(prefix="tralva-guida-") as folder:
        shutil.copytree(examples, os.path.join(folder, "examples"))
        for first_line, steps in blocks:
            outputs = run_block(steps, folder, env)
            if len(outputs) != len(steps):
                print(f"{guide}:{first_line}: the block stopped after {len(outputs)} commands")
                failures += 1
                continue
            for (command, expected), printed in zip(steps, outputs):
                commands += 1
                got = printed.splitlines()
                if got != expected:
                    failures += 1
                    print(f"{guide}:{first_line}: $ {command}")
                    print("  expected:\n" + "".join(f"    {line}\n" for line in expected), end="")
                    print("  printed:\n" + "".join(f"    {line}\n" for line in got), end="")
    if commands == 0:
        print(f"{guide}: no console block")
        return 1
    print(f"{commands} commands of {len(blocks)} blocks, {failures} differences")
    return 1 if failures or missing else 0


if __name__ == "__main__":
    sys.exit(main())
