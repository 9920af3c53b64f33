// What the page's tool windows (the goals and the plans window) share: the
// first place they open at, a title bar that moves them, and how they close.

const GAP = 8;

// The first time it opens, a window goes beside the main window where the
// browser's window is wide enough, else below it: it hides nothing of it.
function placeBesideMain(document, dialog) {
  const frame = document.getElementById('FMain');
  const beside = frame.offsetWidth + GAP;
  const roomBeside = document.documentElement.clientWidth >= beside + dialog.offsetWidth;
  dialog.style.left = `${roomBeside ? beside : 0}px`;
  dialog.style.top = `${roomBeside ? 0 : frame.offsetHeight + GAP}px`;
}

// The window's title bar moves it, so that it can be put beside what it hides.
function movable(dialog, bar) {
  bar.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    event.preventDefault();
    const start = { x: event.clientX - dialog.offsetLeft, y: event.clientY - dialog.offsetTop };
    const move = (moved) => {
      dialog.style.left = `${Math.max(0, moved.clientX - start.x)}px`;
      dialog.style.top = `${Math.max(0, moved.clientY - start.y)}px`;
    };
    const stop = () => {
      bar.removeEventListener('pointermove', move);
      bar.removeEventListener('pointerup', stop);
    };
    bar.setPointerCapture(event.pointerId);
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', stop);
  });
}

// A tool window, not modal: shown, it opens beside the main window the first
// time; its close button or Escape closes it, onClosed() runs, and the focus
// goes back to where it was when the window opened.
export function toolWindow(document, dialog, { titleBar, closeButton, onClosed = () => {} }) {
  let placed = false;
  let returnFocus = null;
  movable(dialog, titleBar);
  // A sheet over the screen (the touch layout) has no place: the window is
  // placed once it is drawn as a window, also when the screen turns.
  const place = () => {
    if (placed || getComputedStyle(dialog).position === 'fixed') return;
    placed = true;
    placeBesideMain(document, dialog);
  };
  document.defaultView.addEventListener('resize', () => {
    if (dialog.open) place();
  });
  const close = () => {
    if (!dialog.open) return;
    dialog.close();
    onClosed();
    if (returnFocus && returnFocus.isConnected && returnFocus !== document.body) returnFocus.focus();
  };
  closeButton.addEventListener('click', close);
  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') {
      event.preventDefault();
      close();
    }
  });
  return {
    // Shown already: nothing happens.
    show: () => {
      if (dialog.open) return;
      returnFocus = document.activeElement;
      dialog.show();
      place();
    },
    close,
  };
}
