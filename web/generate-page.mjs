// Writes the page's static widgets at build time, from the core's layout
// table: the markup of the main window's widgets (names, captions, texts,
// accessible names, in keyboard order), the window's texts, the plan menu's
// items and the goals window's texts into the placeholders of the page,
// their places, sizes, fonts and colours as rules appended to the
// stylesheet, with the faces they use (which subset-fonts.py makes). The
// widgets show the window's first state (a new planner once FormCreate has
// run, from the page's own binding in node), so that the page is drawn
// before its module is ready; the page's script then only binds the field
// models to elements that are already there.
//   node generate-page.mjs LAYOUT_NODE_MODULE CORE_NODE_MODULE INDEX_HTML STYLE_CSS SITE_DIR

import { readFileSync, writeFileSync } from 'node:fs';
import { createHash } from 'node:crypto';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { stepButtonGrowth } from './touch-targets.mjs';
import { instantiateCore } from './binding.js';

// clBlack for the bold and the list font, clWindowText (black here) for the others.
const TEXT_COLOUR = 'rgb(0, 0, 0)';

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
  return font === 'None' ? '' : `font-${font}`;
}

function classes(...names) {
  return names.filter(Boolean).join(' ');
}

const colour = ({ red, green, blue }) => `rgb(${red}, ${green}, ${blue})`;
const family = (font) => `'${font.substitute}', ${font.generic}`;
const weight = (font) => (font.bold ? 'bold' : 'normal');
const fontOf = (table, kind) => table.fonts.find((font) => font.kind === kind);
// The site's file of a face: "Liberation Serif", bold -> LiberationSerif-Bold.woff2, cut from
// Debian's fonts-liberation face of the same name by subset-fonts.py.
const fontFile = (font) => `${font.substitute.replace(/ /g, '')}-${font.bold ? 'Bold' : 'Regular'}.woff2`;

// One face per stand-in family and weight, in the table's order.
function faces(table) {
  const byFile = new Map(table.fonts.map((font) => [fontFile(font), font]));
  return [...byFile.entries()].map(([file, font]) => ({ file, font }));
}

function fontRules(table) {
  const faceRules = faces(table).map(({ file, font }) =>
    `@font-face { font-family: '${font.substitute}'; src: url('fonts/${file}') format('woff2'); `
    + `font-weight: ${weight(font)}; }`);
  const kindRules = table.fonts.map((font) => rule(`.font-${font.kind}`, {
    'font-family': family(font), 'font-size': px(font.pixels), 'font-weight': weight(font), color: TEXT_COLOUR }));
  return [...faceRules, ...kindRules];
}

// The faces the main window shows, fetched with the page rather than once
// its widgets are laid out; each names its face (data-font, a CSS font), which
// the page's script waits for before it takes input.
function fontPreloads(table) {
  const shown = new Set(['Body', ...table.main.widgets.map((widget) => widget.font)]);
  const files = new Map(table.fonts.filter((font) => shown.has(font.kind)).map((font) => [fontFile(font), font]));
  return [...files].map(([file, font]) =>
    `<link rel="preload" href="fonts/${file}" as="font" type="font/woff2" crossorigin `
    + `data-font="${weight(font)} ${px(font.pixels)} '${font.substitute}'">`).join('\n');
}

// What a new planner shows once FormCreate has run, as its view is handed it:
// fields[f] {text, minimum, maximum, enabled, colour, captionEnabled, number},
// classText, labels {name: text}, bonusLines, and tips (skill 1 at index 0).
// The module's exported functions (Binding.cpp) and the calls binding.js
// makes of them are one contract: a call the module lacks, or an export that
// nothing calls, stops the build.
function checkBindingContract(coreModule) {
  const exported = WebAssembly.Module.exports(new WebAssembly.Module(readFileSync(coreModule)))
    .map(({ name }) => name)
    .filter((name) => name.startsWith('rw_'));
  const source = readFileSync(new URL('./binding.js', import.meta.url), 'utf8');
  const called = new Set([...source.matchAll(/wasm\.(rw_\w+)/g)].map((match) => match[1]));
  const missing = [...called].filter((name) => !exported.includes(name));
  const unused = exported.filter((name) => !called.has(name));
  if (missing.length || unused.length) {
    throw new Error(`binding.js and the module disagree: not exported ${missing.join(', ') || '-'}; `
      + `not called ${unused.join(', ') || '-'}`);
  }
}

async function firstState(coreModule) {
  checkBindingContract(coreModule);
  const core = await instantiateCore(readFileSync(coreModule));
  const state = { fields: [], classText: '', labels: {}, bonusLines: [] };
  const view = {
    fieldChanged: (field, property, value, number) => {
      state.fields[field] = { ...state.fields[field], [property]: value, number };
    },
    classTextShown: (text) => { state.classText = text; },
    labelShown: (name, text) => { state.labels[name] = text; },
    bonusLinesShown: (lines) => { state.bonusLines = lines; },
    tipsShown: (tips) => { state.tips = tips; },
    historyShown: () => {},
    codeShown: () => {},
    recorded: () => {},
  };
  const planner = new core.Planner(view);
  planner.delete();
  return state;
}

// The page's widgets in keyboard order (labels and pictures first), as the
// Tab key follows the order of the elements, showing the first state.
function mainWindow(table, classItems, state) {
  const main = table.main;
  const markup = [];
  const rules = [];
  const focusable = [];
  const entry = (name) => main.widgets.find((widget) => widget.name === name);
  // A label that names a field of the page is its <label>.
  const namedField = (name) => main.widgets.find((widget) => widget.label === name && widget.kind === 'LevelField');

  const label = (id, text, where, font, tag = 'span', extra = {}) => {
    rules.push(rule(`#${id}`, { ...placeOf(where, { width: false }), 'line-height': px(where.height) }));
    return element(tag, { id, class: classes('label', fontClass(font)), ...extra }, escape(text));
  };
  const tip = (field) => (field > 0 ? state.tips[field - 1] : undefined);
  const colourName = (shown) => {
    const name = Object.keys(table.colours).find((key) => colour(table.colours[key]) === shown);
    if (!name) throw new Error(`a field's colour ${shown} is not in the layout table`);
    return name;
  };
  for (const [name, value] of Object.entries(table.colours)) {
    rules.push(rule(`.spin input.colour-${name}`, { 'background-color': colour(value) }));
  }
  const spinField = (id, name, where, font, field) => {
    const shown = state.fields[field];
    rules.push(rule(`#${id}-field`, placeOf(where)));
    const input = element('input', {
      id,
      type: 'text',
      role: 'spinbutton',
      inputmode: 'numeric',
      autocomplete: 'off',
      spellcheck: 'false',
      'aria-label': name || undefined,
      // The first state's colour by its name in the table (a rule each, below); the page then sets it itself.
      class: classes(fontClass(font), `colour-${colourName(shown.colour)}`),
      value: shown.text,
      'aria-valuemin': shown.minimum,
      'aria-valuemax': shown.maximum,
      'aria-valuenow': shown.number,
      'aria-valuetext': shown.text,
      disabled: !shown.enabled || undefined,
      title: tip(field),
      'aria-description': tip(field),
    });
    const disabled = !shown.enabled || undefined;
    // The page has no form, so a button needs no type to submit nothing.
    const buttons = element('div', { class: 'buttons', 'aria-hidden': 'true' },
      element('button', { id: `${id}-up`, tabindex: '-1', class: 'up', disabled })
      + element('button', { id: `${id}-down`, tabindex: '-1', class: 'down', disabled }));
    return element('div', { id: `${id}-field`, class: 'spin' }, input + buttons);
  };

  for (const widget of main.widgets) {
    switch (widget.kind) {
      case 'Picture':
        rules.push(rule(`#${widget.name}`, placeOf(widget.place)));
        markup.push(element('img', { id: widget.name, src: 'emblem.jpg', alt: '', draggable: 'false' }));
        break;
      case 'Label': {
        // A label that follows another is drawn with it, in one row below.
        if (widget.follows || main.widgets.some((other) => other.follows === widget.name)) break;
        const field = namedField(widget.name);
        markup.push(label(widget.name, state.labels[widget.name] ?? widget.text, widget.place, widget.font,
          field ? 'label' : 'span',
          field ? { for: field.name } : {}));
        break;
      }
      case 'ClassBox': {
        const id = widget.name;
        rules.push(rule('.combo', placeOf(widget.place)));
        rules.push(rule(`#${id}-list`, { 'max-height': px(table.classListRows * table.rowHeight) }));
        rules.push(rule(`#${id}-list li`, { height: px(table.rowHeight), 'line-height': px(table.rowHeight) }));
        const options = classItems.map((item, index) => element('li', { id: `${id}-option-${index}`, role: 'option',
          'aria-selected': String(item === state.classText) }, escape(item)));
        const html = element('div', { class: 'combo' },
          element('input', {
            id,
            type: 'text',
            role: 'combobox',
            'aria-autocomplete': 'inline',
            'aria-expanded': 'false',
            'aria-controls': `${id}-list`,
            'aria-label': widget.accessibleName,
            autocomplete: 'off',
            spellcheck: 'false',
            class: fontClass(widget.font),
            value: state.classText,
          })
          + element('button', { id: `${id}-button`, type: 'button', tabindex: '-1', 'aria-hidden': 'true' })
          + element('ul', { id: `${id}-list`, role: 'listbox', 'aria-label': widget.accessibleName, hidden: true,
            class: fontClass(widget.font) }, options.join('')));
        rules.push(rule(`#${id}`, { 'background-color': colour(table.colours.skyBlue) }));
        focusable.push({ tab: widget.tab, html });
        break;
      }
      case 'LevelField':
        focusable.push({ tab: widget.tab,
          html: spinField(widget.name, widget.accessibleName, widget.place, widget.font, 0) });
        break;
      case 'BonusList':
        rules.push(rule(`#${widget.name}`, {
          ...placeOf(widget.place),
          'background-color': colour(table.colours.paper),
          '--row-height': px(table.rowHeight),
        }));
        focusable.push({
          tab: widget.tab,
          html: element('ul', {
            id: widget.name,
            role: 'listbox',
            tabindex: '0',
            'aria-label': widget.accessibleName,
            class: fontClass(widget.font),
          }, state.bonusLines.map((line, index) => element('li', { id: `${widget.name}-row-${index}`, role: 'option',
            title: line, 'aria-selected': 'false' }, escape(line))).join('')),
        });
        break;
    }
  }

  // A label that follows another stands a fixed gap right of that one's text and moves with it.
  for (const number of main.widgets.filter((widget) => widget.follows)) {
    const caption = entry(number.follows);
    rules.push(rule('.labelrow', placeOf(caption.place, { width: false })));
    markup.push(element('div', { class: 'labelrow' },
      label(caption.name, state.labels[caption.name] ?? caption.text, { ...caption.place, x: 0, y: 0 }, caption.font)
      + label(number.name, state.labels[number.name], { ...number.place, x: 0, y: 0 }, number.font)));
    rules.push(rule(`#${number.name}`, { 'margin-left': px(table.freeSlotsGap) }));
  }

  // A skill's caption and field in one row, which only the touch layout draws as a box.
  for (const skill of main.skills) {
    const id = `SpEFert${skill.skill}`;
    focusable.push({
      tab: skill.tab,
      html: element('div', { class: 'skill', 'data-skill': skill.skill },
        label(`LFert${skill.skill}Head`, skill.caption, skill.captionPlace, 'Body', 'label', { for: id,
          title: tip(skill.skill), 'aria-disabled': state.fields[skill.skill].captionEnabled ? undefined : 'true' })
        + spinField(id, '', skill.fieldPlace, 'Body', skill.skill)),
    });
  }
  focusable.sort((a, b) => a.tab - b.tab);
  markup.push(...focusable.map((item) => item.html));
  return { markup: markup.join('\n'), rules };
}

function pageRules(table) {
  const { main, info } = table;
  const body = fontOf(table, 'Body');
  const infoFont = fontOf(table, 'Info');
  const skyBlue = colour(table.colours.skyBlue);
  return [
    rule('body', { 'background-color': skyBlue }),
    rule('#FMain', { width: px(main.frame.width) }),
    rule('#FMainContent', { width: px(main.contentWidth), height: px(main.contentHeight) }),
    // The menu and the message box write in the window's body font; buttons do not inherit it.
    rule('#FMainContent, #MainMenu1, #MainMenu1 button, #Programm1-menu button, #PlanMenu button, #Meldung', {
      'font-family': family(body) }),
    rule('#FMainContent, #MainMenu1', {
      'font-size': px(body.pixels), 'font-weight': weight(body), color: TEXT_COLOUR }),
    rule('.label', { 'background-color': skyBlue }),
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
      'background-color': skyBlue,
      'font-family': family(infoFont),
      'font-size': px(infoFont.pixels),
      'font-weight': weight(infoFont),
      color: TEXT_COLOUR,
    }),
    rule('#MInfo', { ...placeOf(info.textPlace), 'background-color': colour(table.colours.paper) }),
    // A saved plan's value that differs from the plan shown, in the desktop table's colour.
    rule('#TVPlanVergleich td.differs', { 'background-color': colour(table.colours.difference) }),
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

// Below the window's own width the page draws the touch layout (phone.css)
// instead of the window: the same widgets in one column, the skills in the
// window's reading order, its columns one after another (the keyboard order
// stays the window's).
function touchLayoutRules(table) {
  const { main } = table;
  const byColumn = [...main.skills].sort((a, b) => a.fieldPlace.x - b.fieldPlace.x || a.fieldPlace.y - b.fieldPlace.y);
  // phone.css places the rows above and below the skills, whose places start at SKILL_ORDER.
  const SKILL_ORDER = 10;
  const order = byColumn.map((skill, index) =>
    rule(`.skill[data-skill="${skill.skill}"]`, { order: SKILL_ORDER + index }));
  const sheet = readFileSync(new URL('./phone.css', import.meta.url), 'utf8');
  // max-width rather than a range (width < 963px), which older phones' browsers do not read.
  return [`@media (max-width: ${px(main.frame.width - 0.02)}) {\n${sheet}\n${order.join('\n')}\n}`];
}

// The plan menu's items that the page offers, from the core's table, for one
// of its menus: each id with the menu's suffix and the name of the command it
// runs, one item a line. The history's items start unavailable, as a new page
// has no step yet.
function planMenuItems(table, suffix, indent) {
  const item = (entry, extra = {}) => element('button', { type: 'button', id: `${entry.name}${suffix}`,
    role: 'menuitem', tabindex: '-1', 'data-command': entry.command, ...extra }, escape(entry.text));
  return [
    ...table.planMenu.items.map((entry) => item(entry)),
    '<div role="separator"></div>',
    ...table.planMenu.history.map((entry) => item(entry, { 'aria-disabled': 'true' })),
  ].join(`\n${indent}`);
}

// Each text of an object escaped for the page, by the same keys.
const escaped = (texts) => Object.fromEntries(Object.entries(texts).map(([key, text]) => [key, escape(text)]));

// The goals window's texts: {{goalCaption:WIDGET}} and {{goalName:WIDGET}}
// for a widget's caption and accessible name, {{goalLimit:NAME}} for its
// fields' limits, and the rest by name.
function goalTexts(goals) {
  return {
    goalLimit: escaped(goals.limits),
    goalCaption: escaped(goals.captions),
    goalName: escaped(goals.accessibleNames),
    goalColumnHeads: goals.columnHeads.map((head) => element('th', { scope: 'col' }, escape(head))).join(''),
    goalWeightNamePrefix: escape(goals.weightNamePrefix),
    goalMinimumNamePrefix: escape(goals.minimumNamePrefix),
    goalNoCurvesDescription: escape(goals.noCurvesDescription),
    goalNoCurvesText: escape(goals.noCurvesText),
    goalCopyPathItem: escape(goals.copyPathItem),
    goalCopyPathFailed: escape(goals.copyPathFailed),
  };
}

// The plans window's texts: {{plansCaption:WIDGET}} and {{plansName:WIDGET}}
// for a widget's caption and accessible name,
// {{plansText:NAME}} for the texts plans.js reads from the window's data- attributes.
function plansTexts(plans) {
  return { plansCaption: escaped(plans.captions), plansName: escaped(plans.accessibleNames), plansText: escaped(plans.texts) };
}

// Fills every {{name}} of the template, and every {{name:key}} from the
// object under name; a placeholder without a value, or a value without its
// placeholder, is an error.
function fill(template, values, name) {
  const unused = new Set(Object.keys(values));
  const filled = template.replace(/\{\{(\w+)(?::(\w+))?\}\}/g, (mark, key, item) => {
    const group = Object.hasOwn(values, key) ? values[key] : undefined;
    const value = item === undefined ? group : group?.[item];
    if (typeof value !== 'string') throw new Error(`${name}: no value for ${mark}`);
    unused.delete(key);
    return value;
  });
  if (unused.size) throw new Error(`${name} has no placeholder for ${[...unused].join(', ')}`);
  return filled;
}

const [layoutModule, coreModule, indexHtml, styleCss, siteDir] = process.argv.slice(2);
const createLayout = createRequire(import.meta.url)(resolve(layoutModule));
const core = await createLayout();
const table = core.layout();
const { markup, rules } = mainWindow(table, core.classNames(), await firstState(coreModule));

// The head's script, and its hash for the page's policy, which allows no other inline script.
const startScript = readFileSync(new URL('./start-core.js', import.meta.url), 'utf8')
  .split('\n').filter((line) => !line.startsWith('//')).join('\n').trim();
const page = fill(readFileSync(indexHtml, 'utf8'), {
  title: escape(table.main.title),
  startScript,
  startScriptHash: `'sha256-${createHash('sha256').update(startScript).digest('base64')}'`,
  // A phone lays the page out at its own width (the touch layout); the user may zoom in.
  viewport: '<meta name="viewport" content="width=device-width, initial-scale=1">',
  fontPreloads: fontPreloads(table),
  widgets: markup,
  infoTitle: escape(table.info.title),
  // A textarea's first newline is dropped by the parser, hence the leading one.
  infoText: `\n${escape(table.info.lines.join('\n'))}`,
  unknownError: escape(table.unknownError),
  programmPlanItems: planMenuItems(table, '1', ' '.repeat(8)),
  planMenuItems: planMenuItems(table, '', ' '.repeat(4)),
  ...goalTexts(table.goals),
  ...plansTexts(table.plans),
  // The keys of the number fields and the class box (fields.js looks them up).
  fieldKeys: escape(JSON.stringify(table.fieldKeys)),
  classKeys: escape(JSON.stringify(table.classKeys)),
}, indexHtml);
writeFileSync(join(siteDir, 'index.html'), page);

const generated = [...fontRules(table), ...pageRules(table), ...rules, ...touchRules(table), ...touchLayoutRules(table)]
  .join('\n');
writeFileSync(join(siteDir, 'style.css'),
  `${readFileSync(styleCss, 'utf8')}\n/* Generated from the core's layout table. */\n${generated}\n`);

