// Browser tests of the web page: Debian's Chromium, headless, against the
// built site served on 127.0.0.1 by scripts/serve-web.py, with the headers
// a host should send (as `make web-run` serves it). Nothing here
// downloads a browser; PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 keeps npm ci from it.
const path = require('node:path');
const { defineConfig } = require('@playwright/test');
const browserArgs = require('./browser-args.js');

const site = process.env.ROLLWERK_SITE || path.resolve(__dirname, '../../build-web/site');
const port = Number(process.env.ROLLWERK_WEB_PORT || 8731);
const server = path.resolve(__dirname, '../../scripts/serve-web.py');

module.exports = defineConfig({
  testDir: __dirname,
  testMatch: '*.test.js',
  outputDir: path.resolve(__dirname, '../../build-web/test-results'),
  workers: 2,
  retries: 0,
  timeout: 30_000,
  reporter: [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    browserName: 'chromium',
    headless: true,
    viewport: { width: 1000, height: 720 },
    launchOptions: {
      executablePath: process.env.ROLLWERK_CHROMIUM || '/usr/bin/chromium',
      args: browserArgs,
    },
  },
  webServer: {
    command: `python3 "${server}" "${site}" ${port} --quiet`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
    stdout: 'ignore',
    stderr: 'ignore',
  },
});
