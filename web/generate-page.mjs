// Writes the page's static widgets at build time, from the core's layout
// table: the markup of the main window's widgets (names, captions, texts, in
// keyboard order) into the page, and their places, sizes, fonts and colours
// as rules appended to the stylesheet. The page's script then only binds the
// field models to elements that are already there.
//   node generate-page.mjs CORE_NODE_MODULE INDEX_HTML STYLE_CSS SITE_DIR

import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { stepButtonGrowth } from './touch-targets.mjs';

const FONT_WEIGHT = { Body: 'normal', Bold: 'bold', List: 'normal', Title: 'bold', Info: 'normal' };
// clBlack for the bold and the list font, clWindowText (black here) for the others.
const TEXT_COLOUR = 'rgb(0, 0, 0)';
const FAMILY = { serif: "'Liberation Serif', serif", sans: "'Liberation Sans Narrow', sans-serif" };
const PAGE_MARK = '<main id="FMainContent" hidden></main>';

const px = (value) => `${value}px`;
const escape = (text) =>
  String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');

function element(tag, attributes, content = '') {
  const list = Object.entries(attributes)
    .filter(([, value]) => value !== undefined)
    .map(([name, value]) => (value === true ? ` ${name}` : ` ${name}="${escape(value)}"`))
    .join('');
  const isVoid = tag === 'input' || tag === 'img';
  return isVoid ? `<${tag}${list}>` : `<${tag}${list}>${content}</${tag}>`;
}

function rule(selector, properties) {
  const body = Object.entries(properties).map(([name, value]) => `${name}: ${value};`).join(' ');
  return `${selector} { ${body} }`;
}

function placeOf(where, { width = true, height = true } = {}) {
  const properties = { left: px(where.x), top: px(where.y) };
  if (width) properties.width = px(where.width);
  if (height) properties.height = px(where.height);
  return properties;
}

function fontClass(font) {
  if (font === 'None') return '';
  return `${font === 'Info' ? 'sans' : 'serif'} font-${font}`;
}

function classes(...names) {
  return names.filter(Boolean).join(' ');
}

function fontRules(table) {
  const pixels = (font) => {
    if (font === 'Title') return table.fonts.titlePixels;
    if (font === 'Info') return table.fonts.infoPixels;
    return table.fonts.bodyPixels;
  };
  return Object.keys(FONT_WEIGHT).map((font) =>
    rule(`.font-${font}`, { 'font-size': px(pixels(font)), 'font-weight': FONT_WEIGHT[font], color: TEXT_COLOUR }));
}

// The page's widgets in keyboard order (labels and pictures first), as the
// Tab key follows the order of the elements.
function mainWindow(table, classItems) {
  const main = table.main;
  const markup = [];
  const rules = [];
  const focusable = [];
  const entry = (name) => main.widgets.find((widget) => widget.name === name);
  const captionName = (text) => text.replace(/:$/, '');

  const label = (id, text, where, font, tag = 'span', extra = {}) => {
    rules.push(rule(`#${id}`, { ...placeOf(where, { width: false }), 'line-height': px(where.height) }));
    return element(tag, { id, class: classes('label', fontClass(font)), ...extra }, escape(text));
  };
  const spinField = (id, name, where, font) => {
    rules.push(rule(`#${id}-field`, placeOf(where)));
    const input = element('input', {
      id,
      type: 'text',
      role: 'spinbutton',
      inputmode: 'numeric',
      autocomplete: 'off',
      spellcheck: 'false',
      'aria-label': name || undefined,
      class: fontClass(font),
    });
    const buttons = element('div', { class: 'buttons', 'aria-hidden': 'true' },
      element('button', { id: `${id}-up`, type: 'button', tabindex: '-1', class: 'up' })
      + element('button', { id: `${id}-down`, type: 'button', tabindex: '-1', class: 'down' }));
    return element('div', { id: `${id}-field`, class: 'spin' }, input + buttons);
  };

  for (const widget of main.widgets) {
    switch (widget.kind) {
      case 'Picture':
        rules.push(rule(`#${widget.name}`, placeOf(widget.place)));
        markup.push(element('img', { id: widget.name, src: 'emblem.jpg', alt: '', draggable: 'false' }));
        break;
      case 'Label': {
        if (widget.name === 'LFertGes' || widget.name === 'LFertGesAnzeige') break;
        const isCaption = widget.name === 'LStufeHead';
        markup.push(label(widget.name, widget.text, widget.place, widget.font, isCaption ? 'label' : 'span',
          isCaption ? { for: 'SpEStufeH' } : {}));
        break;
      }
      case 'ClassBox': {
        const id = widget.name;
        rules.push(rule('.combo', placeOf(widget.place)));
        rules.push(rule(`#${id}-list`, { 'max-height': px(table.classListRows * table.rowHeight) }));
        rules.push(rule(`#${id}-list li`, { height: px(table.rowHeight), 'line-height': px(table.rowHeight) }));
        const options = classItems.map((item, index) => element('li', { id: `${id}-option-${index}`, role: 'option' },
          escape(item)));
        const html = element('div', { class: 'combo' },
          element('input', {
            id,
            type: 'text',
            role: 'combobox',
            'aria-autocomplete': 'inline',
            'aria-expanded': 'false',
            'aria-controls': `${id}-list`,
            'aria-label': 'Charakterklasse',
            autocomplete: 'off',
            spellcheck: 'false',
            class: fontClass(widget.font),
          })
          + element('button', { id: `${id}-button`, type: 'button', tabindex: '-1', 'aria-hidden': 'true' })
          + element('ul', { id: `${id}-list`, role: 'listbox', 'aria-label': 'Charakterklasse', hidden: true,
            class: fontClass(widget.font) }, options.join('')));
        rules.push(rule(`#${id}`, { 'background-color': table.colours.skyBlue }));
        focusable.push({ tab: widget.tab, html });
        break;
      }
      case 'LevelField':
        rules.push(rule(`#${widget.name}`, { 'background-color': table.colours.skyBlue }));
        focusable.push({
          tab: widget.tab,
          html: spinField(widget.name, captionName(entry('LStufeHead').text), widget.place, widget.font),
        });
        break;
      case 'BonusList':
        rules.push(rule(`#${widget.name}`, {
          ...placeOf(widget.place),
          'background-color': table.colours.paper,
          '--row-height': px(table.rowHeight),
        }));
        focusable.push({
          tab: widget.tab,
          html: element('ul', {
            id: widget.name,
            role: 'listbox',
            tabindex: '0',
            'aria-label': 'resultierende Boni',
            class: fontClass(widget.font),
          }),
        });
        break;
    }
  }

  // The free slots number stands a fixed gap right of its caption and moves with it.
  const caption = entry('LFertGes');
  const number = entry('LFertGesAnzeige');
  rules.push(rule('.labelrow', placeOf(caption.place, { width: false })));
  markup.push(element('div', { class: 'labelrow' },
    label(caption.name, caption.text, { ...caption.place, x: 0, y: 0 }, caption.font)
    + label(number.name, number.text, { ...number.place, x: 0, y: 0 }, number.font)));
  rules.push(rule(`#${number.name}`, { 'margin-left': px(table.freeSlotsGap) }));

  for (const skill of main.skills) {
    const id = `SpEFert${skill.skill}`;
    focusable.push({
      tab: skill.tab,
      html: label(`LFert${skill.skill}Head`, skill.caption, skill.captionPlace, 'Body', 'label', { for: id })
        + spinField(id, '', skill.fieldPlace, 'Body'),
    });
  }
  focusable.sort((a, b) => a.tab - b.tab);
  markup.push(...focusable.map((item) => item.html));
  return { markup: markup.join('\n'), rules };
}

function pageRules(table) {
  const { main, info, colours } = table;
  return [
    rule('body', { 'background-color': colours.skyBlue }),
    rule('#FMain', { width: px(main.frame.width) }),
    rule('#FMainContent', { width: px(main.contentWidth), height: px(main.contentHeight) }),
    rule('#FMainContent, #MainMenu1', { 'font-family': FAMILY.serif }),
    rule('#FMainContent, #MainMenu1', {
      'font-size': px(table.fonts.bodyPixels), 'font-weight': FONT_WEIGHT.Body, color: TEXT_COLOUR }),
    rule('.label', { 'background-color': colours.skyBlue }),
    rule('.spin input', { 'padding-right': px(table.spinButtonWidth + 2) }),
    rule('.spin .buttons', { width: px(table.spinButtonWidth) }),
    // The info window opens where it stands beside the main window on the
    // desktop, moved left as far as needed to stay on the page.
    rule(`#${info.name}`, {
      ...placeOf({
        x: Math.min(info.frame.x - main.frame.x, main.frame.width - info.frame.width),
        y: info.frame.y - main.frame.y,
        width: info.frame.width,
        height: info.frame.height,
      }),
      'background-color': colours.skyBlue,
      'font-family': FAMILY.sans,
      'font-size': px(table.fonts.infoPixels),
      'font-weight': FONT_WEIGHT.Info,
      color: TEXT_COLOUR,
    }),
    rule('#MInfo', { ...placeOf(info.textPlace), 'background-color': colours.paper }),
  ];
}

// Under a finger, the step buttons' larger areas (see touch-targets.mjs).
function touchRules(table) {
  const rules = Object.entries(stepButtonGrowth(table)).flatMap(([id, growth]) => [
    rule(`#${id}-up::after`, { top: px(-growth.top), right: px(-growth.right) }),
    rule(`#${id}-down::after`, { bottom: px(-growth.bottom), right: px(-growth.right) }),
  ]);
  return [`@media (pointer: coarse) {\n${rules.join('\n')}\n}`];
}

const [coreModule, indexHtml, styleCss, siteDir] = process.argv.slice(2);
const createRollwerkCore = createRequire(import.meta.url)(resolve(coreModule));
const core = await createRollwerkCore();
const table = core.layout();
const { markup, rules } = mainWindow(table, core.classNames());

const template = readFileSync(indexHtml, 'utf8');
const VIEWPORT_MARK = '<meta name="viewport">';
for (const mark of [PAGE_MARK, VIEWPORT_MARK, '<title></title>', '<span id="FInfoTitle"></span>', '></textarea>']) {
  if (!template.includes(mark)) throw new Error(`${indexHtml} has no ${mark}`);
}
const page = template
  .replace('<title></title>', `<title>${escape(table.main.title)}</title>`)
  // A phone shows the whole window across its width at first; the user may zoom in.
  .replace(VIEWPORT_MARK, `<meta name="viewport" content="width=${table.main.frame.width}">`)
  .replace(PAGE_MARK, `<main id="FMainContent" hidden>\n${markup}\n</main>`)
  .replace('<span id="FInfoTitle"></span>', `<span id="FInfoTitle">${escape(table.info.title)}</span>`)
  // A textarea's first newline is dropped by the parser, hence the leading one.
  .replace('></textarea>', `>\n${escape(table.info.lines.join('\n'))}</textarea>`);
writeFileSync(join(siteDir, 'index.html'), page);

const generated = [...fontRules(table), ...pageRules(table), ...rules, ...touchRules(table)].join('\n');
writeFileSync(join(siteDir, 'style.css'),
  `${readFileSync(styleCss, 'utf8')}\n/* Generated from the core's layout table. */\n${generated}\n`);
