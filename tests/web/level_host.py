#!/usr/bin/env python3
"""A level host as the browser test needs them: serves DIR on 127.0.0.1:PORT; --forbid-missing
answers 403 for a file it does not have (as S3 and Google Cloud Storage do); --cors lets other
sites read its files (Access-Control-Allow-Origin: *); --drop sends half of each file and closes
the connection. Without --cors it is a host that refuses other sites, as most do.
    level_host.py DIR PORT [--forbid-missing] [--cors] [--drop]"""
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        if '--forbid-missing' in sys.argv and not os.path.exists(self.translate_path(self.path)):
            self.send_error(403)
            return None
        return super().send_head()

    def copyfile(self, source, outputfile):
        if '--drop' not in sys.argv:
            return super().copyfile(source, outputfile)
        data = source.read()
        outputfile.write(data[:len(data) // 2])
        outputfile.flush()
        self.close_connection = True
        self.connection.shutdown(2)

    def end_headers(self):
        if '--cors' in sys.argv:
            self.send_header('Access-Control-Allow-Origin', '*')
        super().end_headers()

    def log_message(self, *args):
        pass


folder, port = sys.argv[1], int(sys.argv[2])
server = http.server.ThreadingHTTPServer(
    ('127.0.0.1', port), lambda *a, **k: Handler(*a, directory=folder, **k))
server.serve_forever()
