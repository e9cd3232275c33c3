"""What a folder holds, for the test scripts that check a run changed nothing it should not."""

import hashlib
import os


def snapshot(folder):
    """Every file and folder under `folder`: files by the hash of their bytes, links by their
    target, anything else (a FIFO, a device) as special."""
    entries = {}
    for root, dirs, names in os.walk(folder):
        for name in dirs + names:
            path = os.path.join(root, name)
            relative = os.path.relpath(path, folder)
            if os.path.islink(path):
                entries[relative] = "link:" + os.readlink(path)
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    entries[relative] = hashlib.sha256(f.read()).hexdigest()
            elif not os.path.isdir(path):
                entries[relative] = "special"
            else:
                entries[relative] = "folder"
    return entries
