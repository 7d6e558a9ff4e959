#!/usr/bin/env python3
"""HTTP server on 127.0.0.1 for tests that run outside the test process: the
WinINet client under Wine and the installed library's download.

Prints its port on the first line of standard output, then serves until
killed:
  /bytes/<n>          200 with n bytes (i * 7 + 3) % 256 and a Content-Length
  /status/<code>      that status with a short text body
  /redirect/<target>  302 to /<target>
  /short/<n>          announces n bytes, sends 10, closes the connection
"""
import http.server
import sys


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def send_body(self, code, body, announced=None):
        self.send_response(code)
        self.send_header("Content-Length", str(len(body) if announced is None else announced))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        parts = self.path.split("/", 2)
        kind, rest = (parts[1], parts[2]) if len(parts) == 3 else ("", "")
        if kind == "bytes":
            self.send_body(200, bytes((i * 7 + 3) % 256 for i in range(int(rest))))
        elif kind == "status":
            self.send_body(int(rest), b"status page")
        elif kind == "redirect":
            self.send_response(302)
            self.send_header("Location", "/" + rest)
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif kind == "short":
            self.send_body(200, b"0123456789", announced=int(rest))
            self.close_connection = True
        else:
            self.send_body(404, b"no such route")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
