#!/usr/bin/python3
"""Loopback FTP and web servers for the download tests.

  loopback_sites.py ftp ROOT [hostile]   an anonymous FTP site over ROOT
  loopback_sites.py http ROOT            a web site over ROOT with a few broken pages

Binds 127.0.0.1 on a free port and prints "port N" once it listens.
"""
import http.server
import os
import sys


def run_ftp(root, hostile):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    class HostileHandler(FTPHandler):
        # Lists names no download may save, whatever is on disk.
        def ftp_MLSD(self, path):
            lines = (b"type=cdir; .\r\ntype=file;size=4; liblist.gam\r\n"
                     b"type=file;size=3; ../escape.txt\r\n")
            self.push_dtp_data(lines, isproducer=False, cmd="MLSD")

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    handler = HostileHandler if hostile else FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    server = FTPServer(("127.0.0.1", 0), handler)
    print("port", server.socket.getsockname()[1], flush=True)
    server.serve_forever()


def run_http(root):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=root, **kwargs)

        def log_message(self, *args):
            pass

        def do_GET(self):
            if self.path.startswith("/loop"):
                self.send_response(302)
                self.send_header("Location", "/loop" + str(len(self.path)))
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            if self.path == "/short.zip":
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(b"PK" * 100)
                self.wfile.flush()
                self.close_connection = True
                return
            if self.path == "/missing.zip":
                body = b"<html>not here</html>" * 50
                self.send_response(404)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            if self.path == "/slow.zip":
                self.send_response(200)
                self.send_header("Content-Length", "100000000")
                self.end_headers()
                try:
                    while True:
                        self.wfile.write(b"\0" * 1024)
                        self.wfile.flush()
                        import time
                        time.sleep(0.01)
                except OSError:
                    return
            super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print("port", server.server_address[1], flush=True)
    server.serve_forever()


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    root = os.path.abspath(sys.argv[2])
    if sys.argv[1] == "ftp":
        run_ftp(root, len(sys.argv) > 3 and sys.argv[3] == "hostile")
    else:
        run_http(root)


if __name__ == "__main__":
    main()
