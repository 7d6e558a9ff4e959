"""Serves one folder over HTTP on 127.0.0.1 at a free port and writes the
port into a file once it listens, so a shell test downloads from a real
server without a fixed port. Arguments: folder, port file."""
import functools
import http.server
import os
import sys

folder, port_file = sys.argv[1], sys.argv[2]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
    with open(port_file + ".new", "w", encoding="ascii") as out:
        out.write(str(server.server_address[1]))
    os.rename(port_file + ".new", port_file)
    server.serve_forever()
