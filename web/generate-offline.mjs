// Run at build time once every other file of the site is in place: writes
// the web app manifest (name, start address, the window's colours from the
// core's layout table, the icons), then the service worker with the list
// of the site's files with the hash of each and a cache name made from a hash of them all, so
// that any change of the site makes a new worker and a new cache.
//   node generate-offline.mjs CORE_NODE_MODULE SW_TEMPLATE SITE_DIR

import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, relative, resolve, sep } from 'node:path';

const WORKER = 'sw.js';
const ICON_SIZES = [192, 512];
const CACHE_LINE = /^const CACHE = '.*';$/m;
const FILES_LINE = /^const FILES = \[\];$/m;

// { red: 166, green: 202, blue: 240 } -> '#a6caf0'
function hexColour({ red, green, blue }) {
  return `#${[red, green, blue].map((part) => part.toString(16).padStart(2, '0')).join('')}`;
}

function manifest(table) {
  const colour = hexColour(table.colours.skyBlue);
  return {
    id: './',
    name: 'Rollwerk',
    short_name: 'Rollwerk',
    description: 'Planer für die Fertigkeiten der Charaktere von Tolvar',
    lang: 'de',
    dir: 'ltr',
    start_url: './',
    scope: './',
    display: 'standalone',
    theme_color: colour,
    background_color: colour,
    icons: ICON_SIZES.map((size) => ({
      src: `icons/rollwerk-${size}.png`, sizes: `${size}x${size}`, type: 'image/png', purpose: 'any',
    })),
  };
}

function siteFiles(folder, root = folder) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) return siteFiles(path, root);
    return [relative(root, path).split(sep).join('/')];
  });
}

const [coreModule, workerTemplate, siteDir] = process.argv.slice(2);
const createRollwerkCore = createRequire(import.meta.url)(resolve(coreModule));
const core = await createRollwerkCore();
writeFileSync(join(siteDir, 'manifest.webmanifest'), `${JSON.stringify(manifest(core.layout()))}\n`);

const files = siteFiles(siteDir).filter((file) => file !== WORKER).sort();
const hash = createHash('sha256');
const listed = files.map((file) => {
  const content = readFileSync(join(siteDir, file));
  hash.update(`${file}\0`).update(content).update('\0');
  return [file, `sha256-${createHash('sha256').update(content).digest('base64')}`];
});
const template = readFileSync(workerTemplate, 'utf8');
for (const line of [CACHE_LINE, FILES_LINE]) {
  if (!line.test(template)) throw new Error(`${workerTemplate} has no line ${line}`);
}
writeFileSync(join(siteDir, WORKER), template
  .replace(CACHE_LINE, `const CACHE = 'rollwerk-${hash.digest('hex').slice(0, 16)}';`)
  .replace(FILES_LINE, `const FILES = ${JSON.stringify(listed)};`));
