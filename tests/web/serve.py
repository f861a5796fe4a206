#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Serves a folder of the browser build on 127.0.0.1, as a web server set up
for it would: each file's precompressed .br or .gz where the browser accepts
it, the WebAssembly type for .wasm, and no caching beyond revalidation.

    serve.py FOLDER [PORT]     prints the port it listens on, then serves until killed
"""
import http.server
import os
import sys

TYPES = {'.wasm': 'application/wasm', '.js': 'text/javascript', '.html': 'text/html; charset=utf-8',
         '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png'}


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, 'index.html')
        if not os.path.isfile(path):
            self.send_error(404)
            return
        accepted = self.headers.get('Accept-Encoding', '')
        body_path, encoding = path, None
        for suffix, name in (('.br', 'br'), ('.gz', 'gzip')):
            if name in accepted and os.path.isfile(path + suffix):
                body_path, encoding = path + suffix, name
                break
        with open(body_path, 'rb') as f:
            body = f.read()
        self.send_response(200)
        self.send_header('Content-Type', TYPES.get(os.path.splitext(path)[1], 'application/octet-stream'))
        if encoding:
            self.send_header('Content-Encoding', encoding)
            self.send_header('Vary', 'Accept-Encoding')
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'no-cache')
        self.end_headers()
        self.wfile.write(body)


def main():
    os.chdir(sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == '__main__':
    main()
