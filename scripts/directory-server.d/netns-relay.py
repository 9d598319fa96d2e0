#!/usr/bin/env python3
"""netns-relay.py NETNS PORT_FILE PORT... - makes ports of a private network namespace reachable
on 127.0.0.1.

For each PORT it listens on 127.0.0.1 on a free port of this namespace, and joins each connection
to 127.0.0.1:PORT inside the namespace NETNS (a file such as /proc/PID/ns/net). Once listening it
writes one line "PORT LOCAL_PORT" per port to PORT_FILE, then serves until it is ended.
Entering a network namespace needs root.
"""
import ctypes
import os
import socket
import sys
import threading

CLONE_NEWNET = 0x40000000


def enter(netns):
    libc = ctypes.CDLL(None, use_errno=True)
    fd = os.open(netns, os.O_RDONLY)
    if libc.setns(fd, CLONE_NEWNET) != 0:
        raise OSError(ctypes.get_errno(), "setns " + netns)
    os.close(fd)


def pump(source, target):
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            target.sendall(data)
    except OSError:
        pass
    finally:
        for sock, how in ((target, socket.SHUT_WR), (source, socket.SHUT_RD)):
            try:
                sock.shutdown(how)
            except OSError:
                pass


def join(client, port):
    try:
        server = socket.create_connection(("127.0.0.1", port))
    except OSError:
        client.close()
        return
    for sock in (client, server):
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    back = threading.Thread(target=pump, args=(server, client), daemon=True)
    back.start()
    pump(client, server)
    back.join()
    client.close()
    server.close()


def serve(listener, port):
    while True:
        client, _ = listener.accept()
        threading.Thread(target=join, args=(client, port), daemon=True).start()


def main():
    netns, port_file, ports = sys.argv[1], sys.argv[2], [int(p) for p in sys.argv[3:]]
    listeners = []
    for port in ports:
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.bind(("127.0.0.1", 0))
        listener.listen(64)
        listeners.append((listener, port))
    # Sockets keep the namespace they were made in: the listeners stay here, every connection to
    # the server made from now on is made inside its namespace.
    enter(netns)
    with open(port_file + ".new", "w") as out:
        for listener, port in listeners:
            out.write(f"{port} {listener.getsockname()[1]}\n")
    os.rename(port_file + ".new", port_file)
    threads = [threading.Thread(target=serve, args=pair, daemon=True) for pair in listeners]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()


if __name__ == "__main__":
    main()
