#!/usr/bin/python3
"""tls_ticket_front.py - a TLS front for a plain directory server that sends TLS 1.3 session tickets.

    tls_ticket_front.py start DIR --target-port-file FILE --cert PEM --key PEM
    tls_ticket_front.py stop DIR

start runs the front in the background on 127.0.0.1 and returns once it listens: one port serves
ldaps:// (written to DIR/ldaps-port), the other plain ldap:// with StartTLS (DIR/starttls-port).
Each connection is relayed in plain to the server on 127.0.0.1 whose port FILE holds. The secure
side is this Python's own ssl module with its default settings, which sends two TLS 1.3 session
tickets after every handshake: a client must read past them as past any record. On the StartTLS
port the front answers the StartTLS request itself, then secures the connection; a first request
of any other kind is passed on, and the connection stays plain. stop ends the front started in DIR.
"""

import os
import select
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time

START_TLS_OID = b"1.3.6.1.4.1.1466.20037"
EXTENDED_REQUEST = 0x77
EXTENDED_RESPONSE = 0x78


def ber_length(size):
    if size < 0x80:
        return bytes([size])
    octets = size.to_bytes((size.bit_length() + 7) // 8, "big")
    return bytes([0x80 | len(octets)]) + octets


def tlv(tag, content):
    return bytes([tag]) + ber_length(len(content)) + content


def read_exactly(conn, count):
    data = b""
    while len(data) < count:
        piece = conn.recv(count - len(data))
        if not piece:
            raise ConnectionError("the client left")
        data += piece
    return data


def read_message(conn):
    """One whole LDAP message (its bytes) from a plain connection."""
    head = read_exactly(conn, 2)
    size = head[1]
    if size & 0x80:
        more = read_exactly(conn, size & 0x7F)
        head += more
        size = int.from_bytes(more, "big")
    return head + read_exactly(conn, size)


def parse_tlv(data, at):
    """(tag, start of content, end of content) of the element at data[at]."""
    tag = data[at]
    size = data[at + 1]
    at += 2
    if size & 0x80:
        count = size & 0x7F
        size = int.from_bytes(data[at:at + count], "big")
        at += count
    return tag, at, at + size


def start_tls_answer(message):
    """The success answer to message when it asks for StartTLS, else None."""
    _, content, _ = parse_tlv(message, 0)
    id_tag, id_start, id_end = parse_tlv(message, content)
    operation, op_start, _ = parse_tlv(message, id_end)
    if id_tag != 0x02 or operation != EXTENDED_REQUEST:
        return None
    name_tag, name_start, name_end = parse_tlv(message, op_start)
    if name_tag != 0x80 or message[name_start:name_end] != START_TLS_OID:
        return None
    result = b"\x0a\x01\x00" + tlv(0x04, b"") + tlv(0x04, b"") + tlv(0x8A, START_TLS_OID)
    return tlv(0x30, message[content:id_end] + tlv(EXTENDED_RESPONSE, result))


def pass_bytes(client, server):
    """Passes bytes both ways until either side ends; client may be a TLS socket."""
    try:
        while True:
            pending = isinstance(client, ssl.SSLSocket) and client.pending() > 0
            readable = [client] if pending else select.select([client, server], [], [])[0]
            if client in readable:
                data = client.recv(65536)
                if not data:
                    return
                server.sendall(data)
            if server in readable:
                data = server.recv(65536)
                if not data:
                    return
                client.sendall(data)
    except (OSError, ssl.SSLError):
        return


def serve_connection(conn, context, target_port, start_tls):
    server = None
    try:
        client = conn
        first = b""
        if start_tls:
            first = read_message(conn)
            answer = start_tls_answer(first)
            if answer is not None:
                conn.sendall(answer)
                first = b""
        if not first:
            client = context.wrap_socket(conn, server_side=True)
        server = socket.create_connection(("127.0.0.1", target_port))
        if first:
            server.sendall(first)
        pass_bytes(client, server)
    except (OSError, ssl.SSLError, ConnectionError, IndexError):
        pass
    finally:
        for sock in (server, conn):
            if sock is not None:
                sock.close()


def listen_loopback():
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    sock.listen(16)
    return sock


def accept_forever(listener, context, target_port, start_tls):
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve_connection, args=(conn, context, target_port, start_tls), daemon=True).start()


def write_whole(path, text):
    with open(path + ".partial", "w") as out:
        out.write(text)
    os.replace(path + ".partial", path)


def serve(folder, target_port, cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    listeners = {"ldaps-port": (listen_loopback(), False), "starttls-port": (listen_loopback(), True)}
    for name, (listener, start_tls) in listeners.items():
        threading.Thread(target=accept_forever, args=(listener, context, target_port, start_tls), daemon=True).start()
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    write_whole(os.path.join(folder, "pid"), "%d\n" % os.getpid())
    for name, (listener, _) in listeners.items():
        write_whole(os.path.join(folder, name), "%d\n" % listener.getsockname()[1])
    threading.Event().wait()


def option(arguments, name):
    if name not in arguments or arguments.index(name) + 1 >= len(arguments):
        sys.exit("tls_ticket_front: %s is missing" % name)
    return arguments[arguments.index(name) + 1]


def start(folder, arguments):
    os.makedirs(folder, exist_ok=True)
    stop(folder)
    with open(option(arguments, "--target-port-file")) as port_file:
        target_port = int(port_file.read().split()[0])
    cert, key = option(arguments, "--cert"), option(arguments, "--key")
    with open(os.path.join(folder, "front.log"), "ab") as log:
        front = subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder, str(target_port), cert,
                                  key], stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    for _ in range(100):
        if os.path.exists(os.path.join(folder, "starttls-port")):
            print(open(os.path.join(folder, "ldaps-port")).read().strip(),
                  open(os.path.join(folder, "starttls-port")).read().strip())
            return
        if front.poll() is not None:
            break
        time.sleep(0.1)
    sys.exit("tls_ticket_front: the front did not start, see " + os.path.join(folder, "front.log"))


def stop(folder):
    try:
        with open(os.path.join(folder, "pid")) as pid_file:
            pid = int(pid_file.read())
        os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            os.kill(pid, 0)
            time.sleep(0.05)
    except (OSError, ValueError):
        pass
    for name in ("pid", "ldaps-port", "starttls-port"):
        try:
            os.remove(os.path.join(folder, name))
        except OSError:
            pass


def main(arguments):
    if len(arguments) >= 2 and arguments[0] == "start":
        start(os.path.abspath(arguments[1]), arguments[2:])
    elif len(arguments) == 2 and arguments[0] == "stop":
        stop(os.path.abspath(arguments[1]))
    elif len(arguments) == 5 and arguments[0] == "serve":
        serve(arguments[1], int(arguments[2]), arguments[3], arguments[4])
    else:
        sys.exit(__doc__.split("\n\n")[1])


if __name__ == "__main__":
    main(sys.argv[1:])
