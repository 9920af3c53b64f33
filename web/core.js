// Loads the planner core: its WebAssembly, fetched and compiled by the
// script in the page's head (start-core.js) from the moment the head is read,
// is instantiated and bound (binding.js).

import { instantiateCore } from './binding.js';

const compiled = window.rollwerkCore;
compiled.then(() => performance.mark('rollwerk:compiled'), () => {});

// Resolves to the core's calls (binding.js); rejects when its WebAssembly does not load.
export async function loadCore() {
  const core = await instantiateCore(await compiled, () =>
    WebAssembly.compileStreaming(fetch('rollwerk_tool_windows.wasm', { credentials: 'same-origin' })));
  performance.mark('rollwerk:instantiated');
  return core;
}
