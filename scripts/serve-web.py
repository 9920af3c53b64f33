#!/usr/bin/env python3
"""Serves the built site the way a host should: with the page's
Content-Security-Policy as a header, where it can also forbid framing
(frame-ancestors, which a <meta> policy cannot), X-Content-Type-Options,
the right type for every file and revalidation on every load.

Usage: scripts/serve-web.py SITE_DIR [PORT] [--bind ADDRESS] [--quiet]
"""

import argparse
import functools
import html
import http.server
import pathlib
import re
import sys

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".json": "application/json",
    ".png": "image/png",
    ".jpg": "image/jpeg",
    ".woff2": "font/woff2",
    "": "text/plain; charset=utf-8",
}
POLICY_TAG = re.compile(r'<meta http-equiv="Content-Security-Policy" content="([^"]*)">')


def host_headers(site):
    """The headers of every answer: the page's own policy, with framing forbidden."""
    page = (site / "index.html").read_text(encoding="utf-8")
    found = POLICY_TAG.search(page)
    if not found:
        sys.exit(f"{site}/index.html has no Content-Security-Policy")
    policy = html.unescape(found.group(1)).rstrip("; ")
    return {
        "Content-Security-Policy": f"{policy}; frame-ancestors 'none'",
        "X-Content-Type-Options": "nosniff",
        "Referrer-Policy": "no-referrer",
        # Every load asks whether a file changed; the service worker keeps the site for use offline.
        "Cache-Control": "no-cache",
    }


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = TYPES

    def __init__(self, *args, headers, quiet, **kwargs):
        self.site_headers = headers
        self.quiet = quiet
        super().__init__(*args, **kwargs)

    def guess_type(self, path):
        return TYPES.get(pathlib.PurePath(path).suffix.lower(), "application/octet-stream")

    def end_headers(self):
        for name, value in self.site_headers.items():
            self.send_header(name, value)
        super().end_headers()

    def log_message(self, format, *args):  # noqa: A002 (the base class's name)
        if not self.quiet:
            super().log_message(format, *args)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site", type=pathlib.Path)
    parser.add_argument("port", type=int, nargs="?", default=8000)
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--quiet", action="store_true")
    args = parser.parse_args()
    handler = functools.partial(SiteHandler, directory=str(args.site), headers=host_headers(args.site),
                                quiet=args.quiet)
    with http.server.ThreadingHTTPServer((args.bind, args.port), handler) as server:
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
