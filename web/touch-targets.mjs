// Where the pointer is coarse (a finger), the step buttons of the number
// fields take taps in a larger area than they cover: each button's area
// grows away from its field (the up button upwards, the down button
// downwards, both to the right) into the free space around it, as far as it
// can without covering another widget, the window's edge or another
// button's area, and at most MAX_GROWTH. Computed from the layout table at
// build time, so that the page only draws it.

const MAX_GROWTH = 24;
// Kept free around every other widget, whose drawn text may stand a little beyond its place.
const CLEARANCE = 2;
const SIDES = ['top', 'right', 'bottom'];

const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;

function rectangle(place, margin = 0) {
  return {
    left: place.x - margin,
    top: place.y - margin,
    right: place.x + place.width + margin,
    bottom: place.y + place.height + margin,
  };
}

// The step buttons of a field fill a column at its right edge, inside its border.
function buttonColumn(place, buttonWidth) {
  const right = place.x + place.width - 1;
  return { left: right - buttonWidth, top: place.y + 1, right, bottom: place.y + place.height - 1 };
}

// Returns, per number field id, how far its buttons' areas reach beyond them: { top, right, bottom }.
export function stepButtonGrowth(table) {
  const { main } = table;
  const fields = [
    ...main.widgets.filter((widget) => widget.kind === 'LevelField')
      .map((widget) => ({ id: widget.name, place: widget.place })),
    ...main.skills.map((skill) => ({ id: `SpEFert${skill.skill}`, place: skill.fieldPlace })),
  ];
  const others = [
    ...main.widgets.map((widget) => widget.place),
    ...main.skills.flatMap((skill) => [skill.captionPlace, skill.fieldPlace]),
  ];
  const window = { left: 0, top: 0, right: main.contentWidth, bottom: main.contentHeight };
  const grown = fields.map((field) => ({
    ...field,
    column: buttonColumn(field.place, table.spinButtonWidth),
    growth: { top: 0, right: 0, bottom: 0 },
    obstacles: others.filter((place) => place !== field.place).map((place) => rectangle(place, CLEARANCE)),
  }));
  const area = ({ column, growth }) => ({
    left: column.left,
    top: column.top - growth.top,
    right: column.right + growth.right,
    bottom: column.bottom + growth.bottom,
  });
  const fits = (field) => {
    const reach = area(field);
    if (reach.left < window.left || reach.top < window.top || reach.right > window.right
      || reach.bottom > window.bottom) return false;
    return !field.obstacles.some((other) => overlaps(reach, other))
      && !grown.some((other) => other !== field && overlaps(reach, area(other)));
  };
  // One pixel at a time, every field and side in turn, so that neighbours share the space between them.
  for (let step = 0; step < MAX_GROWTH; ++step) {
    for (const field of grown) {
      for (const side of SIDES) {
        if (field.growth[side] !== step) continue;
        ++field.growth[side];
        if (!fits(field)) --field.growth[side];
      }
    }
  }
  return Object.fromEntries(grown.map((field) => [field.id, field.growth]));
}
