#!/usr/bin/python3
"""A local web server for the link benchmarks: every GET is answered "200 ok" after
50 ms, on kept connections. Listens on 127.0.0.1 at a free port, which it writes into
the file named by its one argument."""
import http.server, socketserver, sys, time


class Slow(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out in two writes: without this, delayed acknowledgements
    # add 40 ms to every answer on a kept connection.
    disable_nagle_algorithm = True

    def do_GET(self):
        time.sleep(0.05)
        self.send_response(200)
        self.send_header("Content-Length", "2")
        self.end_headers()
        self.wfile.write(b"ok")

    def log_message(self, *args):
        pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    request_queue_size = 256


server = Server(("127.0.0.1", 0), Slow)
open(sys.argv[1], "w").write(str(server.server_address[1]))
server.serve_forever()
