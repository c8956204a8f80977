#!/usr/bin/env python3
"""timestamp_authority.py CONFIG PORT_FILE: a local RFC 3161 authority for the release tests, on a free port of
127.0.0.1 (written to PORT_FILE) until killed; each POSTed query is answered by `openssl ts -reply -config CONFIG`."""
import http.server, subprocess, sys, tempfile

config, port_file = sys.argv[1], sys.argv[2]

class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        with tempfile.NamedTemporaryFile() as query, tempfile.NamedTemporaryFile() as reply:
            query.write(self.rfile.read(int(self.headers.get("Content-Length", 0))))
            query.flush()
            made = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", query.name,
                                   "-out", reply.name], stderr=subprocess.PIPE)
            body = reply.read() if made.returncode == 0 else b""
        if not body:
            sys.stderr.write(made.stderr.decode(errors="replace"))
            return self.send_error(500, "openssl ts -reply failed")
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

server = http.server.HTTPServer(("127.0.0.1", 0), Authority)
with open(port_file, "w") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()
