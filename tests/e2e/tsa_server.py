"""A time-stamping authority (RFC 3161) on 127.0.0.1 for the release test:
each POSTed request is answered by `openssl ts -reply` with the given
configuration. Prints the URL once it listens, and ends by itself after a
bounded number of requests or seconds. Test code only.

    tsa_server.py OPENSSL_TS_CONFIG [MAX_REQUESTS] [MAX_SECONDS]
"""

import http.server
import subprocess
import sys
import tempfile
import time


def handler_for(config):
    class TimeStampHandler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):  # noqa: N802 (the name http.server calls)
            self.server.requests += 1
            query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            with tempfile.NamedTemporaryFile(suffix=".tsq") as request:
                request.write(query)
                request.flush()
                reply = subprocess.run(
                    ["openssl", "ts", "-reply", "-config", config,
                     "-queryfile", request.name],
                    capture_output=True, check=False)
            if reply.returncode != 0:
                self.send_error(500, reply.stderr.decode(errors="replace")[:200])
                return
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply.stdout)))
            self.end_headers()
            self.wfile.write(reply.stdout)

        def log_message(self, *args):
            pass

    return TimeStampHandler


def main(config, max_requests=10, max_seconds=120):
    server = http.server.HTTPServer(("127.0.0.1", 0), handler_for(config))
    server.timeout = 1
    print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
    server.requests = 0
    deadline = time.monotonic() + max_seconds
    while server.requests < max_requests and time.monotonic() < deadline:
        server.handle_request()
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], *map(int, sys.argv[2:])))
