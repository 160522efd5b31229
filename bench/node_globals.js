// Node has no navigator before version 21; SDL's web code reads it at start (its gamepads).
if (typeof navigator === 'undefined') globalThis.navigator = {userAgent: 'node'};
