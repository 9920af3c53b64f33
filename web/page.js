// Finds the main window's widgets in the page. Their markup, places, fonts
// and colours are generated at build time from the core's layout table
// (generate-page.mjs); the views bind the field models to these elements.

function spinField(document, id) {
  const input = document.getElementById(id);
  return {
    box: input.parentElement,
    input,
    up: document.getElementById(`${id}-up`),
    down: document.getElementById(`${id}-down`),
  };
}

// Returns the elements the views bind to. fields[0] is the level field, fields[1..28] the skill fields.
export function findPage(document) {
  const content = document.getElementById('FMainContent');
  const page = { fields: [spinField(document, 'SpEStufeH')], captions: [], labels: {} };
  for (let skill = 1; document.getElementById(`SpEFert${skill}`); ++skill) {
    page.fields[skill] = spinField(document, `SpEFert${skill}`);
    page.captions[skill] = document.getElementById(`LFert${skill}Head`);
  }
  for (const label of content.querySelectorAll('.label')) page.labels[label.id] = label;
  const input = document.getElementById('CBCharwahl');
  const list = document.getElementById('CBCharwahl-list');
  page.classBox = {
    box: input.parentElement,
    input,
    button: document.getElementById('CBCharwahl-button'),
    list,
    options: [...list.children],
  };
  page.bonusList = document.getElementById('LBBoni');
  page.keys = { field: JSON.parse(content.dataset.fieldKeys), classBox: JSON.parse(content.dataset.classKeys) };
  page.info = { dialog: document.getElementById('FInfo'), text: document.getElementById('MInfo') };
  page.message = document.getElementById('Meldung');
  return page;
}
