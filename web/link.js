// The plan in the page's address: #plan=CODE, with the goal of the goals
// window beside it while that window is open: #plan=CODE&ziel=GOAL. Every
// change replaces the fragment (no reload, no history entry per keystroke);
// the code, the goal and the rules that read them live in the core.

const PREFIX = '#plan=';
const GOAL = '&ziel=';
// Browsers ignore address changes beyond a couple of hundred in ten seconds.
// A change is written at once while fewer than BURST came just before it;
// a held step button or fast typing beyond that is written at most this often.
const MIN_INTERVAL_MS = 100;
const BURST = 50;

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

// The goal part of a plan's address (#plan=CODE&ziel=GOAL) as typed, or null without one.
export function goalInAddress(location) {
  if (!location.hash.startsWith(PREFIX)) return null;
  const start = location.hash.indexOf(GOAL);
  if (start < 0) return null;
  const text = location.hash.slice(start + GOAL.length).split('&')[0];
  try {
    return decodeURIComponent(text);
  } catch {
    return text;
  }
}

// What an address carried after #plan=, quoted for a message, shortened when long.
export function quoteLink(text) {
  const characters = [...text];
  const shown = characters.length > 60 ? `${characters.slice(0, 60).join('')}…` : text;
  return `„${shown}“`;
}

// Keeps the address in step with the plan. write(code) puts the code (none
// when empty) into the fragment, at once or, after many quick writes, a
// moment later; flush() writes what is pending now.
export function addressWriter(window) {
  let pending = null;
  let timer = 0;
  let allowance = BURST;
  let counted = window.performance.now();

  const refill = () => {
    const now = window.performance.now();
    allowance = Math.min(BURST, allowance + (now - counted) / MIN_INTERVAL_MS);
    counted = now;
  };
  const apply = (code) => {
    const url = new URL(window.location.href);
    const hash = code ? PREFIX + code : '';
    if (url.hash === hash) return;
    refill();
    allowance -= 1;
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
    refill();
    if (allowance >= 1) flush();
    else if (!timer) timer = window.setTimeout(flush, (1 - allowance) * MIN_INTERVAL_MS);
  };
  return { write, flush };
}
