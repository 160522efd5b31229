// The page around the game: the canvas as large as the window allows, the download's progress,
// the game's lines, levels from ?level=URL and from files or a folder dropped on the page, touch
// controls, full screen, and the end of the game. Loaded before Emscripten's script, which reads
// the Module defined here.
'use strict';

(function () {
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const loading = document.getElementById('loading');
  const progress = document.getElementById('progress');
  const status = document.getElementById('status');
  const ended = document.getElementById('ended');
  const endedText = document.getElementById('ended-text');
  const message = document.getElementById('message');
  const controls = document.getElementById('controls');
  const dropHere = document.getElementById('drop-here');
  const kKeysHelp = 'Arrows: fly the camera, or run and jump (Up, Z, X) in a level with a player; ' +
                    'Space: colours; Enter: resolution; F11: full screen; Esc: quit. A gamepad plays too.';

  // The files of a level folder, by the names a dropped file may have.
  const kLevelFiles = {
    'x2.lvl': 'x2.lvl',
    'x2fg.lvl': 'x2fg.lvl',
    'tiles.bmp': 'gfx/tiles.bmp',
    'bigben.bmp': 'gfx/bigben.bmp',
    'badguysprites2.bmp': 'gfx/badguysprites2.bmp',
    'vornsprites24bit.bmp': 'vornsprites24bit.bmp',
    'x2.actors': 'x2.actors',
    'player.bmp': 'gfx/player.bmp',
    'goal.bmp': 'gfx/goal.bmp',
  };
  // Larger than any picture of 8192 pixels a side would need, and bounded so that a wrong file
  // cannot take the page's memory.
  const kMaxFileBytes = 256 * 1024 * 1024;
  const kLevelFolder = '/level';

  const query = new URLSearchParams(location.search);
  const levelParam = query.get('level');
  const levelBase = levelParam ? new URL(levelParam.replace(/\/*$/, '/'), location.href) : null;
  let running = false;

  // One line in the page and in the browser's console; the level folder named as the user knows
  // it. The usage that follows a bad option goes to the console only: the page keeps the reason.
  let lastWord = false;  // the page's own last word stands: what follows it is its consequence
  function say(line, isError, last = false) {
    const shown = line.split(kLevelFolder + '/').join(levelBase ? levelBase.href : '');
    if (!/^(usage:|\s)/.test(shown) && !lastWord) message.textContent = shown;
    lastWord = lastWord || last;
    (isError ? console.error : console.log)(shown);
  }

  // The game titles its window by the level folder it plays: here that is the level's address,
  // or nothing for the game's own data.
  new MutationObserver(() => {
    const named = document.title.split(': ' + kLevelFolder);
    if (named.length > 1) document.title = named[0] + (levelBase ? ': ' + levelBase.href : '');
  }).observe(document.querySelector('title'), {childList: true, characterData: true, subtree: true});

  function end(text, buttonText) {
    running = false;
    window.Module.ended = true;
    loading.hidden = true;
    endedText.textContent = text;
    document.getElementById('again').textContent = buttonText;
    ended.hidden = false;
  }
  document.getElementById('again').addEventListener('click', () => location.reload());

  // The largest frame the stage holds with its aspect kept, as the desktop's --scale fit: by a
  // whole factor of device pixels (crisp) where one fills the stage within 4 %, else smoothly. In
  // portrait on a touch screen the controls take the room below the picture.
  let fitted = '';
  function fit() {
    const width = canvas.width, height = canvas.height;
    const room = stage.getBoundingClientRect();
    const below = controls.hidden || getComputedStyle(controls).position !== 'static'
                      ? 0 : Math.max(controls.getBoundingClientRect().height, room.height * 0.3);
    const key = [width, height, room.width, room.height, below].join();
    if (key !== fitted && width > 0 && height > 0) {
      fitted = key;
      const ratio = window.devicePixelRatio || 1;
      const largest = Math.min(room.width / width, (room.height - below) / height);
      const whole = Math.floor(largest * ratio);
      const crisp = whole >= 1 && whole / ratio >= largest * 0.96;
      const scale = crisp ? whole / ratio : largest;
      canvas.style.width = width * scale + 'px';
      canvas.style.height = height * scale + 'px';
      canvas.classList.toggle('smooth', !crisp);
    }
    requestAnimationFrame(fit);
  }
  requestAnimationFrame(fit);

  // Full screen is granted only inside a key's or a click's own event: F11 and Alt+Enter are
  // taken here, before the game sees them.
  function toggleFullScreen(on) {
    if (on && !document.fullscreenElement) stage.requestFullscreen().catch(() => {});
    if (!on && document.fullscreenElement) document.exitFullscreen().catch(() => {});
    return 1;
  }
  // Touch: the first touch shows the controls, a key hides them. Each control presses its key for
  // as long as a finger holds it, so several fingers run and jump at once; the keys reach the
  // game as a keyboard's do.
  function showControls(on) {
    controls.hidden = !on;
    document.body.classList.toggle('touch', on);
  }
  window.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch' && controls.hidden) showControls(true);
  }, true);
  window.addEventListener('touchstart', () => controls.hidden && showControls(true),
                          {capture: true, passive: true});
  window.addEventListener('keydown', () => controls.hidden || showControls(false), true);
  function pressKey(key, down) {
    if (running) Module._vorn7_key(key, down ? 1 : 0);
  }
  for (const button of controls.querySelectorAll('button[data-key]')) {
    const key = Number(button.dataset.key);
    const release = (event) => {
      if (!button.classList.contains('held')) return;
      button.classList.remove('held');
      pressKey(key, false);
      event.preventDefault();
    };
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      button.setPointerCapture(event.pointerId);
      if (button.classList.contains('held')) return;
      button.classList.add('held');
      pressKey(key, true);
    });
    button.addEventListener('pointerup', release);
    button.addEventListener('pointercancel', release);
    button.addEventListener('lostpointercapture', release);
    button.addEventListener('contextmenu', (event) => event.preventDefault());
  }
  document.getElementById('full-screen').addEventListener('click', () => {
    toggleFullScreen(!document.fullscreenElement);
    canvas.focus();
  });

  // The other way to play: the shipped level from the world, the world from a level.
  const otherLevel = document.getElementById('other-level');
  if (levelBase) {
    otherLevel.textContent = 'Fly over the world';
    otherLevel.href = location.pathname;
  }
  message.textContent = kKeysHelp;

  window.addEventListener('keydown', (event) => {
    const toggle = event.key === 'F11' || (event.key === 'Enter' && event.altKey);
    if (!toggle || !running) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (!event.repeat) toggleFullScreen(!document.fullscreenElement);
  }, true);
  window.addEventListener('keyup', (event) => {
    if (event.key === 'F11' || (event.key === 'Enter' && event.altKey)) event.stopImmediatePropagation();
  }, true);

  // A click takes the keyboard back, also in a page embedded in another's frame.
  canvas.addEventListener('mousedown', () => {
    window.focus();
    canvas.focus();
  });

  // Fetches the level folder at ?level= into the game's level folder: a file it lacks (404, or
  // 403 as S3 and Google Cloud Storage answer for a file they do not have) comes from the game's
  // own data; a folder with none of them is no level. Each failure names its cause.
  async function fetchLevel() {
    const fromGame = [];
    for (const path of Object.values(kLevelFiles)) {
      const address = new URL(path, levelBase);
      let response;
      try {
        response = await fetch(address, {cache: 'no-cache'});
      } catch (error) {
        if (address.origin !== location.origin)
          throw new Error(address.href + ': the server ' + address.origin + ' does not let other ' +
                          'sites read its files (it must answer with Access-Control-Allow-Origin), ' +
                          'or cannot be reached');
        throw new Error(address.href + ': the connection failed (' + error.message + ')');
      }
      if (response.status === 404 || response.status === 403) {
        fromGame.push(path);
        continue;
      }
      if (!response.ok) throw new Error(address.href + ': the server answered ' + response.status);
      const length = Number(response.headers.get('Content-Length') || 0);
      if (length > kMaxFileBytes) throw new Error(address.href + ': too large for a level file');
      let bytes;
      try {
        bytes = new Uint8Array(await response.arrayBuffer());
      } catch (error) {
        throw new Error(address.href + ': the connection dropped while it came (' + error.message + ')');
      }
      if (bytes.length > kMaxFileBytes) throw new Error(address.href + ': too large for a level file');
      Module.FS.writeFile(kLevelFolder + '/' + path, bytes);
    }
    if (fromGame.length === Object.keys(kLevelFiles).length)
      throw new Error(levelBase.href + ': no level there (x2.lvl and the pictures all answered 404)');
    if (fromGame.length > 0) say('from the game\'s own data: ' + fromGame.join(', '), false);
  }

  // A dropped level file or picture plays as a save does under --watch: a good one shows between
  // two frames and the page says so, a bad one leaves the level as it was and the game says why.
  async function dropped(file, name) {
    const path = kLevelFiles[name];
    if (!path) {
      say(name + ': not a file of a level (' + Object.keys(kLevelFiles).join(', ') + ')', true);
      return;
    }
    if (file.size > kMaxFileBytes) {
      say(name + ': too large (' + Math.round(file.size / 1048576) + ' MB; a level file is at most ' +
          kMaxFileBytes / 1048576 + ' MB)', true);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (!running) return;
    const where = kLevelFolder + '/' + path;
    Module.FS.writeFile(where, bytes);
    Module.ccall('vorn7_file_written', null, ['string'], [where]);
    // The game reads it before its next frame; its reason, if any, is said by then.
    const shown = Module._vorn7_frames_shown();
    const before = message.textContent;
    while (running && Module._vorn7_frames_shown() < shown + 2)
      await new Promise((resolve) => requestAnimationFrame(resolve));
    if (message.textContent === before) say(name + ': loaded', false);
  }
  // The files of a dropped folder, its gfx/ folder's too, by their own names.
  async function droppedEntry(entry) {
    if (entry.isFile) {
      const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
      return dropped(file, entry.name);
    }
    if (!entry.isDirectory) return;
    const reader = entry.createReader();
    for (let batch; (batch = await new Promise((ok, no) => reader.readEntries(ok, no))).length;)
      for (const child of batch)
        if (child.isFile ? kLevelFiles[child.name] : child.name === 'gfx') await droppedEntry(child);
  }
  let dragDepth = 0;
  window.addEventListener('dragenter', (event) => {
    event.preventDefault();
    if (running && ++dragDepth === 1) dropHere.hidden = false;
  });
  window.addEventListener('dragleave', () => {
    if (--dragDepth <= 0) {
      dragDepth = 0;
      dropHere.hidden = true;
    }
  });
  window.addEventListener('dragover', (event) => event.preventDefault());
  window.addEventListener('drop', (event) => {
    event.preventDefault();
    dragDepth = 0;
    dropHere.hidden = true;
    if (!running) return;
    const entries = [...(event.dataTransfer.items || [])]
                        .map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry())
                        .filter((entry) => entry);
    if (entries.some((entry) => entry.isDirectory)) {
      for (const entry of entries) droppedEntry(entry);
      return;
    }
    for (const file of event.dataTransfer.files) dropped(file, file.name);
  });

  const args = ['--watch'];
  if (query.get('at')) args.push('--at', query.get('at'));
  // A phone shows the frame a few centimetres wide: its 640 x 480 mode draws the overlay's text a
  // third larger there (about 11 CSS pixels high in landscape) than 800 x 600 would.
  const phone = matchMedia('(pointer: coarse)').matches && Math.min(screen.width, screen.height) < 700;
  if (query.get('mode')) args.push('--mode', query.get('mode'));
  else if (phone) args.push('--mode', '640x480x32');
  args.push(kLevelFolder);

  window.Module = {
    canvas: canvas,
    arguments: args,
    preRun: [function () {
      Module.FS.mkdirTree(kLevelFolder + '/gfx');
      Module.FS.mkdirTree('/tmp');
      if (!levelBase) return;
      Module.addRunDependency('level');
      status.textContent = 'Loading the level…';
      fetchLevel().then(() => Module.removeRunDependency('level'), (error) => {
        say(error.message, true);
        end('The level could not be loaded. Check its address and try again.', 'Try again');
      });
    }],
    onRuntimeInitialized: function () {
      running = true;
      loading.hidden = true;
      canvas.focus();
    },
    print: (line) => say(line, false),
    printErr: (line) => say(line.replace(/^vorn7: /, ''), true),
    setStatus: function (text) {
      const parts = /\((\d+)\/(\d+)\)/.exec(text);
      if (parts) {
        progress.value = Number(parts[1]);
        progress.max = Number(parts[2]);
      }
      if (text) status.textContent = text.replace(/\(\d+\/\d+\)/, '').trim() || 'Loading the game…';
    },
    onExit: function (code) {
      if (code === 0) {
        end('The game has ended.', 'Start again');
      } else {
        end('The game could not go on: the line below says why.', 'Try again');
      }
    },
    onAbort: function (what) {
      if (location.protocol === 'file:') {
        say('the page was opened from a file: a browser loads the game only from a web server ' +
            '(make web-serve, or any static server), so open its address instead', true, true);
        end('The game cannot start from a file. Serve the site and open its address.', 'Try again');
        return;
      }
      say('the game failed: ' + what, true);
      end('The game failed. Reload the page to try again.', 'Try again');
    },
    vorn7Message: (line) => say(line, true),
    vorn7FullScreen: (on) => toggleFullScreen(on !== 0),
  };
})();
