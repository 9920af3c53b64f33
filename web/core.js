// Loads the planner core: its WebAssembly, fetched and compiled by the
// script in the page's head (start-core.js) from the moment the head is read,
// is instantiated with the core's glue and bound (binding.js).

import { bindCore } from './binding.js';
import createRollwerkCore from './rollwerk_core.js';

const compiled = window.rollwerkCore;
compiled.then(() => performance.mark('rollwerk:compiled'), () => {});

// Resolves to the core's calls (binding.js); rejects when its WebAssembly does not load.
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
  return Promise.race([createRollwerkCore({ instantiateWasm }), failed]).then(bindCore);
}
