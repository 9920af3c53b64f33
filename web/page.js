// Builds the main window's widgets from the layout table of the core: the
// same names, places, fonts, colours and texts as the desktop window. The
// elements are created in keyboard order (labels and pictures first), so
// that the Tab key follows the designed order.

const FONT_WEIGHT = { Body: 'normal', Bold: 'bold', List: 'normal', Title: 'bold', Info: 'normal' };
// clBlack for the bold and the list font, clWindowText (black here) for the others.
const TEXT_COLOUR = 'rgb(0, 0, 0)';

function px(value) {
  return `${value}px`;
}

function place(element, where, { width = true, height = true } = {}) {
  element.style.left = px(where.x);
  element.style.top = px(where.y);
  if (width) element.style.width = px(where.width);
  if (height) element.style.height = px(where.height);
}

function fontPixels(table, font) {
  if (font === 'Title') return table.fonts.titlePixels;
  if (font === 'Info') return table.fonts.infoPixels;
  return table.fonts.bodyPixels;
}

function applyFont(element, table, font) {
  if (font === 'None') return;
  element.classList.add(font === 'Info' ? 'sans' : 'serif');
  element.style.fontSize = px(fontPixels(table, font));
  element.style.fontWeight = FONT_WEIGHT[font];
  element.style.color = TEXT_COLOUR;
}

function create(document, tag, attributes = {}) {
  const element = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  return element;
}

// A label sizes itself to its text, one line of the designed height.
function createLabel(document, table, id, text, where, font, tag = 'span') {
  const label = create(document, tag, { id, class: 'label' });
  label.textContent = text;
  place(label, where, { width: false });
  label.style.lineHeight = px(where.height);
  label.style.backgroundColor = table.colours.skyBlue;
  applyFont(label, table, font);
  return label;
}

// A number spin field: the edit and its two step buttons along the right edge.
function createSpinField(document, table, id, name, where, font) {
  const box = create(document, 'div', { class: 'spin' });
  place(box, where);
  const input = create(document, 'input', {
    id,
    type: 'text',
    role: 'spinbutton',
    inputmode: 'numeric',
    autocomplete: 'off',
    spellcheck: 'false',
  });
  if (name) input.setAttribute('aria-label', name);
  input.style.paddingRight = px(table.spinButtonWidth + 2);
  applyFont(input, table, font);
  const buttons = create(document, 'div', { class: 'buttons', 'aria-hidden': 'true' });
  buttons.style.width = px(table.spinButtonWidth);
  const up = create(document, 'button', { id: `${id}-up`, type: 'button', tabindex: '-1', class: 'up' });
  const down = create(document, 'button', { id: `${id}-down`, type: 'button', tabindex: '-1', class: 'down' });
  buttons.append(up, down);
  box.append(input, buttons);
  return { box, input, up, down };
}

function createClassBox(document, table, entry, items) {
  const box = create(document, 'div', { class: 'combo' });
  place(box, entry.place);
  const input = create(document, 'input', {
    id: entry.name,
    type: 'text',
    role: 'combobox',
    'aria-autocomplete': 'inline',
    'aria-expanded': 'false',
    'aria-controls': `${entry.name}-list`,
    'aria-label': 'Charakterklasse',
    autocomplete: 'off',
    spellcheck: 'false',
  });
  applyFont(input, table, entry.font);
  input.style.backgroundColor = table.colours.skyBlue;
  const button = create(document, 'button', {
    id: `${entry.name}-button`,
    type: 'button',
    tabindex: '-1',
    'aria-hidden': 'true',
  });
  const list = create(document, 'ul', { id: `${entry.name}-list`, role: 'listbox', 'aria-label': 'Charakterklasse' });
  list.hidden = true;
  list.style.maxHeight = px(table.classListRows * table.rowHeight);
  applyFont(list, table, entry.font);
  items.forEach((item, index) => {
    const option = create(document, 'li', { id: `${entry.name}-option-${index}`, role: 'option' });
    option.textContent = item;
    option.style.height = px(table.rowHeight);
    option.style.lineHeight = px(table.rowHeight);
    list.append(option);
  });
  box.append(input, button, list);
  return { box, input, button, list, options: [...list.children] };
}

function createBonusList(document, table, entry) {
  const list = create(document, 'ul', {
    id: entry.name,
    role: 'listbox',
    tabindex: '0',
    'aria-label': 'resultierende Boni',
  });
  place(list, entry.place);
  list.style.backgroundColor = table.colours.paper;
  list.style.setProperty('--row-height', px(table.rowHeight));
  applyFont(list, table, entry.font);
  return list;
}

function createPicture(document, entry) {
  const picture = create(document, 'img', { id: entry.name, src: 'emblem.jpg', alt: '', draggable: 'false' });
  place(picture, entry.place);
  return picture;
}

// Returns the elements the views bind to. fields[0] is the level field, fields[1..28] the skill fields.
export function buildPage(document, table, classItems) {
  const content = document.getElementById('FMainContent');
  const main = table.main;
  document.title = main.title;
  document.body.style.backgroundColor = table.colours.skyBlue;
  content.style.width = px(main.contentWidth);
  content.style.height = px(main.contentHeight);
  applyFont(content, table, 'Body');
  applyFont(document.getElementById('MainMenu1'), table, 'Body');

  const page = { fields: [], captions: [], labels: {} };
  const entry = (name) => main.widgets.find((widget) => widget.name === name);
  const captionName = (text) => text.replace(/:$/, '');
  const focusable = [];

  for (const widget of main.widgets) {
    switch (widget.kind) {
      case 'Picture':
        content.append(createPicture(document, widget));
        break;
      case 'Label': {
        if (widget.name === 'LFertGes' || widget.name === 'LFertGesAnzeige') break;
        const tag = widget.name === 'LStufeHead' ? 'label' : 'span';
        const label = createLabel(document, table, widget.name, widget.text, widget.place, widget.font, tag);
        if (tag === 'label') label.htmlFor = 'SpEStufeH';
        page.labels[widget.name] = label;
        content.append(label);
        break;
      }
      case 'ClassBox':
        page.classBox = createClassBox(document, table, widget, classItems);
        focusable.push({ tab: widget.tab, elements: [page.classBox.box] });
        break;
      case 'LevelField': {
        const field = createSpinField(
          document, table, widget.name, captionName(entry('LStufeHead').text), widget.place, widget.font);
        field.input.style.backgroundColor = table.colours.skyBlue;
        page.fields[0] = field;
        focusable.push({ tab: widget.tab, elements: [field.box] });
        break;
      }
      case 'BonusList':
        page.bonusList = createBonusList(document, table, widget);
        focusable.push({ tab: widget.tab, elements: [page.bonusList] });
        break;
    }
  }

  // The free slots number stands a fixed gap right of its caption and moves with it.
  const caption = entry('LFertGes');
  const number = entry('LFertGesAnzeige');
  const row = create(document, 'div', { class: 'labelrow' });
  place(row, caption.place, { width: false });
  const slotsCaption = createLabel(document, table, caption.name, caption.text, { ...caption.place, x: 0, y: 0 },
    caption.font);
  const slotsNumber = createLabel(document, table, number.name, number.text, { ...number.place, x: 0, y: 0 },
    number.font);
  slotsNumber.style.marginLeft = px(table.freeSlotsGap);
  row.append(slotsCaption, slotsNumber);
  content.append(row);
  page.labels[caption.name] = slotsCaption;
  page.labels[number.name] = slotsNumber;

  for (const skill of main.skills) {
    const id = `SpEFert${skill.skill}`;
    const label = createLabel(document, table, `LFert${skill.skill}Head`, skill.caption, skill.captionPlace, 'Body',
      'label');
    label.htmlFor = id;
    const field = createSpinField(document, table, id, '', skill.fieldPlace, 'Body');
    page.fields[skill.skill] = field;
    page.captions[skill.skill] = label;
    focusable.push({ tab: skill.tab, elements: [label, field.box] });
  }

  focusable.sort((a, b) => a.tab - b.tab);
  for (const { elements } of focusable) content.append(...elements);

  const info = table.info;
  const dialog = document.getElementById(info.name);
  // The info window opens where it stands beside the main window on the
  // desktop, moved left as far as needed to stay on the page.
  place(dialog, {
    x: Math.min(info.frame.x - main.frame.x, main.frame.width - info.frame.width),
    y: info.frame.y - main.frame.y,
    width: info.frame.width,
    height: info.frame.height,
  });
  dialog.style.backgroundColor = table.colours.skyBlue;
  applyFont(dialog, table, 'Info');
  document.getElementById('FInfoTitle').textContent = info.title;
  const text = document.getElementById('MInfo');
  place(text, info.textPlace);
  text.style.backgroundColor = table.colours.paper;
  text.value = info.lines.join('\n');
  page.info = { dialog, text };
  page.message = document.getElementById('Meldung');
  return page;
}
