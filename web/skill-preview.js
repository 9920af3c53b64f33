// Under a finger there is no hover to show a skill field's tooltip (the
// preview of its next point). In the touch layout a tap on a skill, its
// caption or its field, a locked one too, shows that text in a line under
// the skill's row, which then describes the field. The text is the field's
// tooltip, which the core's tips keep current; the window's layout does not
// draw the line (style.css).

export function skillPreview(document, page) {
  const line = document.createElement('p');
  line.id = 'LFertVorschau';
  let shown = 0;

  const show = (skill) => {
    const { input } = page.fields[skill];
    if (shown !== skill) {
      if (shown) page.fields[shown].input.removeAttribute('aria-describedby');
      shown = skill;
      input.closest('.skill').append(line);
      input.setAttribute('aria-describedby', line.id);
    }
    line.textContent = input.title;
  };
  const skillOf = (target) => Number(target.closest('.skill')?.dataset.skill ?? 0);

  const content = document.getElementById('FMainContent');
  const showFor = (target) => {
    const skill = skillOf(target);
    if (skill) show(skill);
  };
  // The line moves once the finger is lifted, not when a press focuses a
  // field: the rows below the line it leaves move up, and the step button
  // under the finger with them. A locked field takes neither the focus nor
  // a click, but its row hears the finger lifted (which a scroll cancels).
  // (Heard on its way down: a step button focuses its field as it is pressed.)
  let pressed = false;
  content.addEventListener('pointerdown', () => {
    pressed = true;
  }, true);
  content.addEventListener('pointercancel', () => {
    pressed = false;
  });
  content.addEventListener('pointerup', (event) => {
    pressed = false;
    showFor(event.target);
  });
  // The keyboard's focus shows it at once.
  content.addEventListener('focusin', (event) => {
    if (!pressed) showFor(event.target);
  });
  return {
    // The tips changed: the line follows its field's.
    refresh: () => {
      if (shown && line.textContent !== page.fields[shown].input.title) show(shown);
    },
  };
}
