// Loads the planner core. Its WebAssembly (preloaded by the page) is fetched
// and compiled from the moment this module runs, beside the rest of the
// page's start-up, rather than once the core's glue code asks for it.

import createRollwerkCore from './rollwerk_core.js';

const compiled = WebAssembly.compileStreaming(
  fetch(new URL('rollwerk_core.wasm', import.meta.url), { credentials: 'same-origin' }));
compiled.then(() => performance.mark('rollwerk:compiled'), () => {});

// Resolves to the core's module object; rejects when its WebAssembly does not load.
export function loadCore() {
  let fail;
  const failed = new Promise((resolve, reject) => {
    fail = reject;
  });
  const instantiateWasm = (imports, receive) => {
    compiled
      .then((module) => WebAssembly.instantiate(module, imports).then((instance) => {
        performance.mark('rollwerk:instantiated');
        receive(instance, module);
      }))
      .catch(fail);
    return {};
  };
  return Promise.race([createRollwerkCore({ instantiateWasm }), failed]);
}
