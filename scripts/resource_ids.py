"""The ids of tenkari.exe's commands and controls, read from resources/resource.h, where each is
defined once, so that the scripts that drive the program never write them again.

    from resource_ids import IDS
    driver.call("command", IDS["IDM_ANNUAL_READING"])
"""
import pathlib
import re

RESOURCE_HEADER = pathlib.Path(__file__).resolve().parents[1] / "resources" / "resource.h"


def read_ids(header=RESOURCE_HEADER):
    """Every `#define NAME number` of the header, as {NAME: number}."""
    ids = {}
    for line in header.read_text(encoding="utf-8").splitlines():
        found = re.match(r"\s*#define\s+(ID[A-Z]?_\w+)\s+(\d+)\s*$", line)
        if found:
            ids[found.group(1)] = int(found.group(2))
    if not ids:
        raise RuntimeError(f"no ids in {header}")
    return ids


IDS = read_ids()
