// Loads the planner core, compiled to WebAssembly, once per page.
import createRollwerkCore from './rollwerk_core.js';

export function loadCore() {
  return createRollwerkCore();
}
