// A load that is made once: every call gets the same promise, until it
// fails; the next call after a failure tries again (the network may be back).
export function loadOnce(load) {
  let loading = null;
  return () => {
    loading ??= load().catch((error) => {
      loading = null;
      throw error;
    });
    return loading;
  };
}
