// The plan in the page's address: #plan=CODE. Every change replaces the
// fragment (no reload, no history entry per keystroke); the code itself and
// the rules that read it live in the core.

const PREFIX = '#plan=';
// Browsers ignore address changes beyond about 20 a second; a held step
// button or fast typing stays below that when the writes come at most this often.
const MIN_INTERVAL_MS = 100;

// The code the address carries, or null when it carries none.
export function codeInAddress(location) {
  if (!location.hash.startsWith(PREFIX)) return null;
  const code = location.hash.slice(PREFIX.length);
  try {
    return decodeURIComponent(code);
  } catch {
    return code;
  }
}

// Keeps the address in step with the plan. write(code) puts the code (none
// when empty) into the fragment, at once or, right after another write, a
// moment later; flush() writes what is pending now.
export function addressWriter(window) {
  let pending = null;
  let timer = 0;
  let last = -Infinity;

  const apply = (code) => {
    const url = new URL(window.location.href);
    const hash = code ? PREFIX + code : '';
    last = window.performance.now();
    if (url.hash === hash) return;
    url.hash = hash;
    const href = url.href.endsWith('#') ? url.href.slice(0, -1) : url.href;
    window.history.replaceState(window.history.state, '', href);
  };
  const flush = () => {
    window.clearTimeout(timer);
    timer = 0;
    if (pending === null) return;
    const code = pending;
    pending = null;
    apply(code);
  };
  const write = (code) => {
    pending = code;
    const wait = last + MIN_INTERVAL_MS - window.performance.now();
    if (wait <= 0) flush();
    else if (!timer) timer = window.setTimeout(flush, wait);
  };
  return { write, flush };
}
