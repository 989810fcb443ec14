#!/usr/bin/python3
"""A D-Bus socket that takes connections and never answers, the way a hung bus does.

Usage: silent_bus.py SOCKET [--greet-first]
With --greet-first the first client's greeting is answered as a bus answers it, so a check of the
bus passes, and every later client meets silence: the bus hung just after the check.
Prints "ready" once it listens.
"""
import socket
import sys

path = sys.argv[1]
greet_first = "--greet-first" in sys.argv[2:]
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(path)
server.listen(16)
print("ready", flush=True)
held = []
while True:
    client, _ = server.accept()
    held.append(client)  # kept open: a closed socket would be an answer
    if greet_first:
        greet_first = False
        data = b""
        while b"\r\n" not in data:
            chunk = client.recv(256)
            if not chunk:
                break
            data += chunk
        client.sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")
