// Written into the page's head at build time: the core's WebAssembly is
// fetched and compiled from the moment the head is read, while the page's
// stylesheet, script and fonts load; core.js takes the compiled module.
window.rollwerkCore = WebAssembly.compileStreaming(fetch('rollwerk_core.wasm', { credentials: 'same-origin' }));
// A failure is core.js's to report.
window.rollwerkCore.catch(() => {});
