// Where the page keeps the saved plans: the browser's localStorage on this
// device, one entry holding every plan as the text the core writes for "Alle
// kopieren" (and reads back as "Alle einfügen" does), so that the page knows
// no format of its own. localStorage rather than IndexedDB: the plans are a
// few kilobytes, a synchronous read lets the page draw them with its first
// plan and check for another tab's change right before each of its own, and
// the browser tells every other tab of a write (the storage event) without
// a channel of the page's own. Nothing leaves the device.
//
// The plans in memory are what the page shows. Where the browser refuses its
// storage (a private window, blocked site data) or a write fails (the
// storage is full), the page goes on with them in memory and is told once;
// while its last write failed it does not take another tab's plans, which
// would drop those it shows and could not keep.

const KEY = 'rollwerk.plaene';

// The storage of a window: { available, read(), write(text), changedElsewhere() }.
// onFailure() runs once, the first time the plans cannot be kept;
// onChanged(text) when another tab wrote the plans.
export function planStorage(window, { onFailure, onChanged }) {
  let storage = null;
  try {
    storage = window.localStorage;
    storage.getItem(KEY);
  } catch {
    storage = null;
  }
  let told = false;
  const fail = () => {
    if (told) return;
    told = true;
    onFailure();
  };
  // The text this tab last read or wrote; null while it holds plans it could not write.
  let known = '';
  let inStep = storage !== null;

  const read = () => {
    if (!storage) return '';
    try {
      known = storage.getItem(KEY) ?? '';
      return known;
    } catch {
      return '';
    }
  };

  if (storage) {
    window.addEventListener('storage', (event) => {
      if (event.key !== null && event.key !== KEY) return;
      if (!inStep) return;
      const text = event.newValue ?? '';
      if (text === known) return;
      known = text;
      onChanged(text);
    });
  }

  return {
    get available() {
      return storage !== null;
    },
    read,
    // Keeps the plans' text; false when it could not (told once).
    write(text) {
      if (!storage) {
        fail();
        return false;
      }
      try {
        if (text) storage.setItem(KEY, text);
        else storage.removeItem(KEY);
        known = text;
        inStep = true;
        return true;
      } catch {
        inStep = false;
        fail();
        return false;
      }
    },
    // The text another tab wrote since this one last read or wrote, or null:
    // checked before each change, as the storage event may not have arrived yet.
    changedElsewhere() {
      if (!storage || !inStep) return null;
      const before = known;
      const text = read();
      return text === before ? null : text;
    },
    // Said when the plans are first looked at in a page that cannot keep them.
    tellIfUnavailable() {
      if (!storage) fail();
    },
  };
}
