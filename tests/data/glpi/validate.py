#!/usr/bin/env python3
"""Validates GLPI inventories against the schema beside this script.

validate.py FILE...      every file must validate (exit 1 otherwise)
validate.py --folder DIR every *.json in DIR must validate; they are removed
                         afterwards, so a later run never checks stale files;
                         exit 77 (skipped) when there is none.
"""
import json
import pathlib
import sys

import jsonschema

SCHEMA = pathlib.Path(__file__).with_name("inventory.schema.json")


def main(args):
    remove = False
    if args[:1] == ["--folder"]:
        files = sorted(pathlib.Path(args[1]).glob("*.json")) if pathlib.Path(args[1]).is_dir() else []
        if not files:
            print(f"no inventories in {args[1]}: skipped")
            return 77
        remove = True
    else:
        files = [pathlib.Path(a) for a in args]
    if not files:
        print(__doc__, file=sys.stderr)
        return 2
    schema = json.loads(SCHEMA.read_text(encoding="utf-8"))
    failed = 0
    for path in files:
        try:
            jsonschema.validate(json.loads(path.read_text(encoding="utf-8")), schema)
            print(f"{path}: valid")
        except (jsonschema.ValidationError, ValueError, OSError) as e:
            failed += 1
            print(f"{path}: INVALID: {getattr(e, 'message', e)}")
        finally:
            if remove:
                path.unlink(missing_ok=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
