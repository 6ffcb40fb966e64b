#!/usr/bin/env python3
"""Runs a program beside a local HTTP server whose answers the link fetchers'
tests ask for. The program finds the server at ALMANIX_LINK_SERVER
(http://127.0.0.1:PORT), the same answers over TLS with a certificate that no
system trusts at ALMANIX_UNTRUSTED_SERVER (https://127.0.0.1:PORT), and a port
where nothing listens at ALMANIX_CLOSED_PORT; the exit status is the program's."""
import http.server
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time

CALENDAR = b"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"
ETAG = '"v1"'
LAST_MODIFIED = "Sat, 05 Dec 2026 13:00:00 GMT"


class Answers(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *arguments):
        pass

    def answer(self, status, headers=(), body=b""):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    # Answers that never change: status, headers.
    FIXED = {"/loop": (302, [("Location", "/loop")]),
             "/elsewhere": (302, [("Location", "ftp://127.0.0.1/calendar.ics")]),
             "/busy": (503, [("Retry-After", "120")])}

    def do_GET(self):
        path = self.path
        if path == "/calendar.ics":
            if self.headers.get("If-None-Match") == ETAG:
                return self.answer(304, [("ETag", ETAG)])
            return self.answer(200, [("ETag", ETAG), ("Last-Modified", LAST_MODIFIED)], CALENDAR)
        if path.startswith("/hops/"):  # /hops/3, 2, 1, then the calendar, by relative locations
            left = int(path[len("/hops/"):])
            return self.answer(302, [("Location", str(left - 1) if left > 1 else "/calendar.ics")])
        if path in self.FIXED:
            return self.answer(*self.FIXED[path])
        if path in ("/slow", "/large"):
            time.sleep(4 if path == "/slow" else 0)
            return self.answer(200, [], CALENDAR if path == "/slow" else b"x" * (2 * 1024 * 1024))
        if path == "/endless":  # no length: the client must stop reading by itself
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            try:
                for _ in range(64):
                    self.wfile.write(b"x" * 65536)
            except OSError:
                pass
            self.close_connection = True
            return None
        return self.answer(404)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A client that gives up on purpose (too large, too slow) resets the connection.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def untrusted_server(folder):
    """The answers over TLS, with a certificate made for this run alone."""
    key, certificate = os.path.join(folder, "key.pem"), os.path.join(folder, "certificate.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                    "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", certificate],
                   check=True, capture_output=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(certificate, key)
    server = Server(("127.0.0.1", 0), Answers)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    return server


def main():
    server = Server(("127.0.0.1", 0), Answers)
    folder = tempfile.TemporaryDirectory()
    secure = untrusted_server(folder.name)
    for each in (server, secure):
        threading.Thread(target=each.serve_forever, daemon=True).start()
    with socket.socket() as closed:
        closed.bind(("127.0.0.1", 0))
        closed_port = closed.getsockname()[1]
    environment = dict(os.environ, ALMANIX_LINK_SERVER=f"http://127.0.0.1:{server.server_address[1]}",
                       ALMANIX_UNTRUSTED_SERVER=f"https://127.0.0.1:{secure.server_address[1]}",
                       ALMANIX_CLOSED_PORT=str(closed_port))
    status = subprocess.run(sys.argv[1:], env=environment, check=False).returncode
    for each in (server, secure):
        each.shutdown()
    folder.cleanup()
    sys.exit(status)


if __name__ == "__main__":
    main()
