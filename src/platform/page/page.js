// The page around the game: the canvas scaled by whole factors, the download's progress, the
// game's lines, levels from ?level=URL and from files dropped on the page, full screen, and the
// end of the game. Loaded before Emscripten's script, which reads the Module defined here.
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
  function say(line, isError) {
    const shown = line.split(kLevelFolder + '/').join(levelBase ? levelBase.href : '');
    if (!/^(usage:|\s)/.test(shown)) message.textContent = shown;
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

  // Whole-number factors of the frame that fit the stage (crisp pixels, centred); a stage smaller
  // than the frame gets the largest fit with the aspect kept.
  let fitted = '';
  function fit() {
    const width = canvas.width, height = canvas.height;
    const room = stage.getBoundingClientRect();
    const key = [width, height, room.width, room.height].join();
    if (key !== fitted && width > 0 && height > 0) {
      fitted = key;
      const ratio = window.devicePixelRatio || 1;
      let factor = Math.floor(Math.min(room.width * ratio / width, room.height * ratio / height));
      let scale = factor >= 1 ? factor / ratio : Math.min(room.width / width, room.height / height);
      canvas.style.width = width * scale + 'px';
      canvas.style.height = height * scale + 'px';
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

  // Fetches the level folder at ?level= into the game's level folder: a file it lacks (404)
  // comes from the game's own data; a folder with none of them is no level.
  async function fetchLevel() {
    let found = 0;
    for (const path of Object.values(kLevelFiles)) {
      const address = new URL(path, levelBase);
      let response;
      try {
        response = await fetch(address, {cache: 'no-cache'});
      } catch (error) {
        throw new Error(address.href + ': could not be fetched (' + error.message + ')');
      }
      if (response.status === 404) continue;
      if (!response.ok) throw new Error(address.href + ': the server answered ' + response.status);
      const length = Number(response.headers.get('Content-Length') || 0);
      if (length > kMaxFileBytes) throw new Error(address.href + ': too large for a level file');
      const bytes = new Uint8Array(await response.arrayBuffer());
      if (bytes.length > kMaxFileBytes) throw new Error(address.href + ': too large for a level file');
      Module.FS.writeFile(kLevelFolder + '/' + path, bytes);
      ++found;
    }
    if (found === 0)
      throw new Error(levelBase.href + ': no level there (x2.lvl and the pictures all answered 404)');
  }

  // A dropped level file or picture plays as a save does under --watch: a good one shows between
  // two frames, a bad one leaves the level as it was and says why.
  async function dropped(file) {
    const path = kLevelFiles[file.name];
    if (!path) {
      say(file.name + ': not a file of a level (' + Object.keys(kLevelFiles).join(', ') + ')', true);
      return;
    }
    if (file.size > kMaxFileBytes) {
      say(file.name + ': too large (' + Math.round(file.size / 1048576) + ' MB; a level file is at most ' +
          kMaxFileBytes / 1048576 + ' MB)', true);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (!running) return;
    const where = kLevelFolder + '/' + path;
    Module.FS.writeFile(where, bytes);
    Module.ccall('vorn7_file_written', null, ['string'], [where]);
  }
  window.addEventListener('dragover', (event) => event.preventDefault());
  window.addEventListener('drop', (event) => {
    event.preventDefault();
    if (!running) return;
    for (const file of event.dataTransfer.files) dropped(file);
  });

  const args = ['--watch'];
  if (query.get('at')) args.push('--at', query.get('at'));
  if (query.get('mode')) args.push('--mode', query.get('mode'));
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
      say('the game failed: ' + what, true);
      end('The game failed. Reload the page to try again.', 'Try again');
    },
    vorn7Message: (line) => say(line, true),
    vorn7FullScreen: (on) => toggleFullScreen(on !== 0),
  };
})();
