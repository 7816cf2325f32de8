#!/usr/bin/python3
"""A web server that misbehaves on purpose, for the sync's transport.

Listens on 127.0.0.1 on three free ports: plain http, the same on another
port (another origin, which must never see the password), and https with
a certificate nobody trusts. Writes "HTTP OTHER HTTPS" into the port file
once all three listen. Every request is recorded; GET /log gives the
record as JSON lines, and every request's record begins anew at /clear.
"""
import json
import os
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

record = []
record_lock = threading.Lock()
ports = {}


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        path = self.path
        entry = {"port": self.server.server_address[1], "method": self.command, "path": path,
                 "host": self.headers.get("Host"), "authorization": self.headers.get("Authorization"),
                 "depth": self.headers.get("Depth"), "if-match": self.headers.get("If-Match"),
                 "body": body.decode("utf-8", "replace")}
        if path == "/log":
            with record_lock:
                text = "".join(json.dumps(e) + "\n" for e in record)
            return self.answer(200, text.encode())
        if path == "/clear":
            with record_lock:
                record.clear()
            return self.answer(204)
        with record_lock:
            record.append(entry)
        if path.endswith("/echo") or path.startswith("/echo?"):
            return self.answer(207, json.dumps(entry).encode(), [("ETag", '"e1"'), ("X-Folded", "a,  b")])
        if path == "/moved":
            return self.answer(301, headers=[("Location", "/echo")])
        if path == "/folder/moved-relative":
            return self.answer(302, headers=[("Location", "echo")])
        if path == "/see-other":
            return self.answer(303, headers=[("Location", "/echo")])
        if path == "/moved-absolute":
            return self.answer(307, headers=[("Location", "http://127.0.0.1:%d/echo" % ports["http"])])
        if path == "/elsewhere":
            return self.answer(302, headers=[("Location", "http://127.0.0.1:%d/echo" % ports["other"])])
        if path == "/elsewhere-by-name":
            return self.answer(308, headers=[("Location", "http://localhost:%d/echo" % ports["http"])])
        if path == "/loop":
            return self.answer(302, headers=[("Location", "/loop")])
        if path.startswith("/status/"):
            status = int(path[len("/status/"):])
            return self.answer(status, ("status %d" % status).encode())
        if path == "/huge":
            # No length: the body goes on until the client stops reading.
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            chunk = b"x" * 65536
            try:
                for _ in range(5000):  # 320 MB at most
                    self.wfile.write(chunk)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True
            return
        if path == "/huge-announced":
            self.send_response(200)
            self.send_header("Content-Length", str(400 * 1024 * 1024))
            self.end_headers()
            try:
                for _ in range(100):
                    self.wfile.write(b"y" * 65536)
                    time.sleep(0.05)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True
            return
        if path == "/hang":
            time.sleep(40)
            return self.answer(200, b"too late")
        if path.startswith("/slow/"):
            time.sleep(5)
            return self.answer(503, b"too busy")
        return self.answer(404, b"no such thing")

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_MKCALENDAR = do_POST = handle_any


def serve(server):
    server.daemon_threads = True
    server.serve_forever()


def main():
    port_file, cert, key = sys.argv[1:4]
    plain = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    other = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    secure = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    ports.update(http=plain.server_address[1], other=other.server_address[1], https=secure.server_address[1])
    for server in (plain, other, secure):
        threading.Thread(target=serve, args=(server,), daemon=True).start()
    with open(port_file + ".part", "w") as f:
        f.write("%d %d %d\n" % (ports["http"], ports["other"], ports["https"]))
    os.rename(port_file + ".part", port_file)
    threading.Event().wait()


if __name__ == "__main__":
    main()
