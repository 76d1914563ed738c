#!/usr/bin/env python3
"""A lighting client for bench/app_load.sh: connects to the program's lighting server on the
given port, lists its controllers and sends every one of them new Direct colours FPS times a
second until it is stopped. Written from the RGB SDK protocol's documentation; standard library
only."""
import socket
import struct
import sys
import time


def packet(device, pid, data=b""):
    return b"ORGB" + struct.pack("<III", device, pid, len(data)) + data


def read_packet(sock):
    head = b""
    while len(head) < 16:
        chunk = sock.recv(16 - len(head))
        if not chunk:
            raise ConnectionError("closed")
        head += chunk
    _, _, size = struct.unpack("<III", head[4:16])
    data = b""
    while len(data) < size:
        chunk = sock.recv(size - len(data))
        if not chunk:
            raise ConnectionError("closed")
        data += chunk
    return struct.unpack("<I", head[8:12])[0], data


def led_count(block):
    """The number of LEDs of a controller data block of protocol 0 (no vendor string)."""
    at = 8  # data_size, type

    def string():
        nonlocal at
        n = struct.unpack_from("<H", block, at)[0]
        at += 2 + n

    for _ in range(5):  # name, description, version, serial, location
        string()
    modes = struct.unpack_from("<H", block, at)[0]
    at += 2 + 4
    for _ in range(modes):
        string()
        at += 4 * 9  # value, flags, speed and colour ranges, speed, direction, colour mode
        colours = struct.unpack_from("<H", block, at)[0]
        at += 2 + 4 * colours
    zones = struct.unpack_from("<H", block, at)[0]
    at += 2
    for _ in range(zones):
        string()
        at += 16
        matrix = struct.unpack_from("<H", block, at)[0]
        at += 2 + matrix
    return struct.unpack_from("<H", block, at)[0]


def main():
    port = int(sys.argv[1])
    fps = float(sys.argv[2]) if len(sys.argv) > 2 else 30.0
    for _ in range(100):
        try:
            sock = socket.create_connection(("127.0.0.1", port))
            break
        except OSError:
            time.sleep(0.1)
    else:
        sys.exit("no lighting server on port %d" % port)
    sock.sendall(packet(0, 50, b"bench client\0"))
    sock.sendall(packet(0, 0))
    count = struct.unpack("<I", read_packet(sock)[1])[0]
    leds = []
    for i in range(count):
        sock.sendall(packet(i, 1))
        leds.append(led_count(read_packet(sock)[1]))
    frame = 0
    next_at = time.monotonic()
    while True:
        for i, n in enumerate(leds):
            colours = b"".join(struct.pack("<BBBB", (frame + k) & 0xFF, 0x40, 0x80, 0) for k in range(n))
            sock.sendall(packet(i, 1050, struct.pack("<IH", 6 + 4 * n, n) + colours))
        frame += 1
        next_at += 1.0 / fps
        time.sleep(max(0.0, next_at - time.monotonic()))


if __name__ == "__main__":
    main()
