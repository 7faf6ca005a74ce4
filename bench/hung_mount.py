#!/usr/bin/python3
# hung_mount.py MOUNTPOINT: a file system on MOUNTPOINT where every file looks like a network
# share whose server has gone: asking about a file, or reading one, waits for an hour. A
# stand-in for a hung NFS or SMB mount, for tick_accuracy --bell. Needs root, /dev/fuse and
# Debian's python3-fusepy; `fusermount -u MOUNTPOINT` (or umount) takes it away.
import errno
import stat
import sys
import time

import fusepy


class Hung(fusepy.Operations):
    def getattr(self, path, fh=None):
        if path == "/":
            return {"st_mode": stat.S_IFDIR | 0o755, "st_nlink": 2}
        time.sleep(3600)
        raise fusepy.FuseOSError(errno.EIO)

    def readdir(self, path, fh):
        return [".", ".."]


fusepy.FUSE(Hung(), sys.argv[1], foreground=True, nothreads=False)
