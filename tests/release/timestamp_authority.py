#!/usr/bin/env python3
"""A local RFC 3161 time-stamp authority for the release tests: each POSTed query is answered by
`openssl ts -reply` with the key and certificate given.

    timestamp_authority.py CONFIG PORT_FILE
CONFIG is an openssl configuration whose [tsa] section names the signer, its key and its chain. The server
listens on a free port of 127.0.0.1, writes that port to PORT_FILE, and serves until it is killed."""
import http.server
import subprocess
import sys
import tempfile

config, port_file = sys.argv[1], sys.argv[2]


class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with tempfile.NamedTemporaryFile() as q, tempfile.NamedTemporaryFile() as r:
            q.write(query)
            q.flush()
            made = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", q.name,
                                   "-out", r.name], capture_output=True)
            reply = r.read() if made.returncode == 0 else b""
        if not reply:
            sys.stderr.write(made.stderr.decode(errors="replace"))
            self.send_error(500, "openssl ts -reply failed")
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Authority)
with open(port_file, "w") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()
