#!/usr/bin/env python3
"""Seeds of the answer fuzzer (fuzz_directory_answer): a server's answers as bytes, each after the
three header bytes the fuzzer reads first (flags, limits, piece count) and its piece sizes.

  answer_seeds.py scripted DIR
      writes the answers of misbehaving servers that a real directory server cannot be made to send
  answer_seeds.py record FILE FLAGS LIMITS SERVER_PORT CLIENT ARGS...
      runs CLIENT ARGS (a corvane-search command line, "{port}" standing for the port to use)
      through a loopback relay to the directory server on SERVER_PORT and writes what the server
      sent, after the header, to FILE
"""
import os
import socket
import subprocess
import sys
import threading

PAGED_RESULTS = b"1.2.840.113556.1.4.319"


def tlv(tag, content):
    n = len(content)
    if n < 0x80:
        length = bytes([n])
    else:
        raw = n.to_bytes((n.bit_length() + 7) // 8, "big")
        length = bytes([0x80 | len(raw)]) + raw
    return bytes([tag]) + length + content


def integer(n, tag=0x02):
    return tlv(tag, n.to_bytes(max(1, (n.bit_length() + 8) // 8), "big", signed=True))


def octets(text):
    return tlv(0x04, text if isinstance(text, bytes) else text.encode())


def seq(*items, tag=0x30):
    return tlv(tag, b"".join(items))


def message(msgid, op, controls=b""):
    return seq(integer(msgid), op, controls)


def paged(cookie, estimate=0):
    value = seq(integer(estimate), octets(cookie))
    return seq(seq(octets(PAGED_RESULTS), octets(value)), tag=0xA0)


def bound(code=0, text=b""):
    return message(1, seq(integer(code, 0x0A), octets(b""), octets(text), tag=0x61))


def entry(msgid, dn, attributes):
    return message(msgid, seq(octets(dn), seq(*[seq(octets(name), seq(*[octets(v) for v in values], tag=0x31))
                                                  for name, values in attributes]), tag=0x64))


def done(msgid, code=0, text=b"", controls=b""):
    return message(msgid, seq(integer(code, 0x0A), octets(b""), octets(text), tag=0x65), controls)


def reference(msgid, *urls):
    return message(msgid, seq(*[octets(u) for u in urls], tag=0x73))


def person(msgid, n, extra=()):
    return entry(msgid, "cn=Person %d,ou=people,dc=corvane,dc=test" % n,
                 [("objectClass", ["person"]), ("cn", ["Person %d" % n]), ("mail", ["p%d@corvane.test" % n])] +
                 list(extra))


def header(flags, limits, pieces=()):
    return bytes([flags, limits, len(pieces)]) + bytes(pieces)


def scripted():
    people = b"".join(person(2, n) for n in range(3))
    yield "plain_answer", header(0, 6), bound() + people + done(2)
    yield "plain_answer_pieces", header(0x08, 6, [0, 6, 40]), bound() + people + done(2)
    yield "plain_answer_csv", header(4, 6, [13]), bound() + people + done(2)
    yield "plain_answer_ldif", header(5 | 0x10, 6), bound() + people + done(2)
    yield "plain_answer_details", header(6 | 0x80, 6), bound() + people + done(2)
    yield "bind_refused", header(0x20, 6), bound(49, b"invalid credentials")
    yield "anonymous_refused", header(4, 6), bound(0) + done(2, 50, b"authentication required")
    # A plain answer cut by the server's size limit, then the pages of the search asked again.
    yield "pages", header(0, 6, [2]), (bound() + person(2, 0) + person(2, 1) + done(2, 4) +
                                       person(3, 0) + person(3, 1) + done(3, 0, controls=paged(b"c1")) +
                                       person(4, 2) + done(4, 0, controls=paged(b"")))
    yield "pages_refused", header(0, 6), (bound() + person(2, 0) + done(2, 4) + done(3, 53) +
                                          person(4, 0) + person(4, 1) + done(4))
    # Pages that bring nothing yet always give a cookie for more.
    yield "empty_pages", header(0, 6), (bound() + person(2, 0) + done(2, 4) + person(3, 0) +
                                        done(3, 0, controls=paged(b"c")) +
                                        b"".join(done(n, 0, controls=paged(b"c")) for n in range(4, 40)))
    # A paged-results control without its value, on a plain answer cut short and on a page.
    yield "paged_control_without_value", header(0, 6), (bound() + person(2, 0) + done(2, 0, controls=seq(
        seq(octets(PAGED_RESULTS)), tag=0xA0)) + b"")
    yield "page_control_without_value", header(0, 6), (bound() + person(2, 0) + done(2, 4) + person(3, 0) + done(
        3, 0, controls=seq(seq(octets(PAGED_RESULTS)), tag=0xA0)))
    # An operation that claims more bytes than its message holds.
    yield "operation_longer_than_message", header(0x15, 6), b"\x30\x0c\x02\x01\x01\x61\x65cn=Pn 2"
    yield "cap_reached", header(0, 1), bound() + people + done(2)
    yield "control_text", header(4, 6), bound() + done(2, 53, b"line one\nline two\x1b[2J")
    yield "control_entry", header(6 | 0x80, 6), bound() + entry(
        2, b"cn=two\nlines,dc=corvane,dc=test",
        [("namingContexts", [b"dc=one\r\ndc=two", b"dc=bell\a\x1b[2J"]), ("cn", [b"two\r\nlines\x1b[31m"])]) + done(2)
    yield "control_entry_window", header(0x08, 6), bound() + entry(
        2, b"cn=two\nlines,dc=corvane,dc=test", [("cn", [b"two\r\nlines\x1b[31m", b"tab\there"])]) + done(2)
    yield "root_entry", header(7, 6), bound() + entry(
        2, b"", [("namingContexts", [b"dc=corvane,dc=test", b"o=\xc3\xa9t\xc3\xa9"])]) + done(2)
    yield "unknown_message", header(0, 6), bound() + message(2, tlv(0x7E, b"\x04\x00")) + people + done(2)
    yield "intermediate_and_reference", header(0x10, 6, [9, 9]), (
        bound() + message(2, seq(octets(b"1.3.6.1.4.1.4203.1.9.1.4"), tag=0x79)) + person(2, 0) +
        reference(2, b"ldap://other.test/dc=other,dc=test??sub", b"ldap://x.test/") + person(2, 1) + done(2))
    yield "malformed_entry", header(0, 6), bound() + message(2, tlv(0x64, b"\x02\x01\x05")) + done(2)
    yield "stray_bytes", header(4, 6), bound() + people + done(2) + b"\x00\x01\x02stray"
    yield "huge_claim", header(0, 6), bound() + b"\x30\x84\xff\xff\xff\xff" + b"\x00" * 64
    yield "closed_mid_answer", header(0, 6, [5]), bound() + person(2, 0) + person(2, 1)[:20]
    yield "many_attributes", header(0x10, 6), bound() + entry(
        2, "cn=Many,dc=corvane,dc=test", [("cn", ["lower"]), ("CN", ["upper"])] +
        [("a%d" % n, ["v%d" % n]) for n in range(60)]) + done(2)
    yield "binary_values", header(5 | 0x08, 6), bound() + entry(
        2, "cn=Binary,dc=corvane,dc=test",
        [("cn", [b"Binary", b"<binary, 3 bytes>", b" lead", b"trail ", b":colon", b"<angle"]),
         ("jpegPhoto", [b"\x00\x01\x02", b"\xff\xd8\xff\xe0"]), ("mail", [b"\xe9t\xe9", b"x\xc3"])]) + done(2)
    yield "binary_values_window", header(0x08, 6), bound() + entry(
        2, "cn=Binary,dc=corvane,dc=test",
        [("cn", [b"Binary", b"<binary, 3 bytes>", b"a;b", b"q\"uote"]),
         ("jpegPhoto", [b"\x00\x01\x02"]), ("mail", [b"\xe9t\xe9", b"caf\xc3\xa9"])]) + done(2)
    yield "answer_over_bound", header(0x10, 6 | 0x08), bound() + b"".join(person(2, n) for n in range(6)) + done(2)


def record(path, flags, limits, server_port, command):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    port = listener.getsockname()[1]
    answer = bytearray()

    def relay():
        client, _ = listener.accept()
        server = socket.create_connection(("127.0.0.1", server_port))

        def pump(source, sink, kept):
            while True:
                data = source.recv(65536)
                if not data:
                    break
                if kept is not None:
                    kept.extend(data)
                sink.sendall(data)
            try:
                sink.shutdown(socket.SHUT_WR)
            except OSError:
                pass

        upward = threading.Thread(target=pump, args=(client, server, None))
        upward.start()
        pump(server, client, answer)
        upward.join()
        client.close()
        server.close()

    thread = threading.Thread(target=relay, daemon=True)
    thread.start()
    subprocess.run([arg.replace("{port}", str(port)) for arg in command], stdout=subprocess.DEVNULL, timeout=60)
    thread.join(10)
    listener.close()
    with open(path, "wb") as out:
        out.write(header(flags, limits) + bytes(answer))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "scripted":
        for name, head, answer in scripted():
            with open(os.path.join(sys.argv[2], name), "wb") as out:
                out.write(head + answer)
    elif len(sys.argv) > 6 and sys.argv[1] == "record":
        record(sys.argv[2], int(sys.argv[3], 0), int(sys.argv[4], 0), int(sys.argv[5]), sys.argv[6:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
