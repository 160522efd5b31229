// The game's page in Debian's Chromium, headless: the same pixels as the desktop game, keys,
// levels from links and from dropped files, bad input, the end, and the figures. Run by run.sh,
// which serves the site and names what is where in the environment.
import {after, before, test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {appendFileSync, copyFileSync, existsSync, mkdirSync, readdirSync, readFileSync, rmSync,
        writeFileSync} from 'node:fs';
import {join} from 'node:path';
import puppeteer, {KnownDevices} from 'puppeteer-core';

const {SITE, SITE_DIR, NATIVE_FRAME, LEVELS, DATA, OUT, CHROMIUM, REFUSING, FORBIDDING, DROPPING} =
    process.env;
// A view far from the walker, so that no frame depends on when it was drawn.
const kView = '4000,2000';
// The overlay's lines end above this row (a reload's reason, the lowest, takes two lines at 800
// wide); below it is the world alone.
const kBelowOverlay = 200;

let browser;
before(async () => {
  browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--disable-quic'],
  });
});
after(async () => browser && browser.close());

// Opens the page; window.framesShown() counts the frames the game has shown.
async function open(query = '', device = null) {
  const page = await browser.newPage();
  if (device) await page.emulate(KnownDevices[device]);
  else await page.setViewport({width: 1000, height: 700});
  await page.evaluateOnNewDocument(() => {
    window.framesShown = () => (window.Module && Module.calledRun && !Module.ended
                                ? Module._vorn7_frames_shown() : 0);
  });
  page.lines = [];
  page.on('console', (message) => page.lines.push(message.text()));
  const started = Date.now();
  await page.goto(SITE + query);
  return {page, started};
}

const framesShown = (page) => page.evaluate(() => window.framesShown());

async function framesGoOn(page, count = 10) {
  const from = await framesShown(page);
  await page.waitForFunction((n) => window.framesShown() >= n, {timeout: 10000}, from + count);
}

// The canvas's pixels as RGBA, once two frames in a row show the same picture below the overlay.
async function settledCanvas(page) {
  let last = null;
  for (let attempt = 0; attempt < 50; ++attempt) {
    await framesGoOn(page, 2);
    const shot = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let text = '';
      for (let i = 0; i < data.length; i += 0x8000)
        text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
      return {width: canvas.width, height: canvas.height, rgba: btoa(text)};
    });
    if (last && last.rgba === shot.rgba) return {...shot, rgba: Buffer.from(shot.rgba, 'base64')};
    last = shot;
  }
  throw new Error('the picture did not settle');
}

function readPpm(path) {
  const bytes = readFileSync(path);
  const header = bytes.subarray(0, 32).toString('latin1').match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  return {width: Number(header[1]), height: Number(header[2]), rgb: bytes.subarray(header[0].length)};
}

// The desktop game's frame for the same options, headless.
function nativeFrame(name, options) {
  const path = join(OUT, name + '-desktop.ppm');
  execFileSync(NATIVE_FRAME, [path, ...options], {stdio: ['ignore', 'ignore', 'inherit']});
  return readPpm(path);
}

// Pixel for pixel below the overlay; on a difference both pictures are kept in OUT.
function assertSamePicture(name, shot, native) {
  assert.equal(shot.width, native.width, 'frame width');
  assert.equal(shot.height, native.height, 'frame height');
  let differ = 0;
  for (let y = kBelowOverlay; y < shot.height; ++y)
    for (let x = 0; x < shot.width; ++x) {
      const p = (y * shot.width + x) * 4, q = (y * native.width + x) * 3;
      if (shot.rgba[p] !== native.rgb[q] || shot.rgba[p + 1] !== native.rgb[q + 1] ||
          shot.rgba[p + 2] !== native.rgb[q + 2])
        ++differ;
    }
  if (differ !== 0) {
    const rgb = Buffer.alloc(shot.width * shot.height * 3);
    for (let i = 0; i < shot.width * shot.height; ++i) shot.rgba.copy(rgb, i * 3, i * 4, i * 4 + 3);
    writeFileSync(join(OUT, name + '-page.ppm'),
                  Buffer.concat([Buffer.from(`P6\n${shot.width} ${shot.height}\n255\n`), rgb]));
  }
  assert.equal(differ, 0, `${name}: ${differ} pixels differ (both pictures in ${OUT})`);
}

const message = (page) => page.$eval('#message', (e) => e.textContent);
const endedText = (page) => page.$eval('#ended', (e) => (e.hidden ? '' : e.textContent.trim()));

async function waitForEnd(page) {
  await page.waitForFunction(() => !document.getElementById('ended').hidden, {timeout: 15000});
  return endedText(page);
}

// Drops files on the page as a user's drag from a file manager would.
async function drop(page, files) {
  await page.evaluate((list) => {
    const transfer = new DataTransfer();
    for (const {name, base64} of list)
      transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
    window.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
  }, files.map(({name, bytes}) => ({name, base64: Buffer.from(bytes).toString('base64')})));
}

test('the first frame, Space and the arrow keys: the desktop game\'s pixels', async () => {
  const {page, started} = await open(`?at=${kView}`);
  await page.waitForFunction(() => window.framesShown() > 0, {timeout: 15000});
  const firstFrameMs = Date.now() - started;
  assertSamePicture('start', await settledCanvas(page), nativeFrame('start', ['--at', kView]));

  await page.keyboard.press('Space');  // 32 bits to 8, through the palette
  assertSamePicture('space', await settledCanvas(page),
                    nativeFrame('space', ['--at', kView, '--mode', '800x600x8']));

  const before = await settledCanvas(page);
  await page.keyboard.down('ArrowRight');
  await framesGoOn(page, 10);
  await page.keyboard.up('ArrowRight');
  await framesGoOn(page, 10);
  const moved = await settledCanvas(page).catch(() => null);  // moving: it need not settle
  assert.ok(moved === null || !moved.rgba.equals(before.rgba), 'the camera moved');

  // F11 asks the browser for full screen inside the key's own event, and gives it back.
  await page.keyboard.press('F11');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'stage', {timeout: 5000});
  await page.keyboard.press('F11');
  await page.waitForFunction(() => !document.fullscreenElement, {timeout: 5000});

  // F12: the frame as a PNG download under the screenshot's name.
  const downloads = join(OUT, 'downloads');
  rmSync(downloads, {recursive: true, force: true});
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
  await page.keyboard.press('F12');
  await page.waitForFunction(() => /screenshot saved: vorn7-[-0-9]+\.png/.test(
                                 document.getElementById('message').textContent), {timeout: 5000});
  const deadline = Date.now() + 10000;
  const saved = () => (existsSync(downloads) ? readdirSync(downloads) : []).filter((f) => f.endsWith('.png'));
  while (saved().length === 0 && Date.now() < deadline) await new Promise((r) => setTimeout(r, 100));
  assert.match(saved()[0] ?? '', /^vorn7-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d\.png$/);
  await framesGoOn(page);

  await page.keyboard.press('Escape');
  assert.match(await waitForEnd(page).catch((e) => {
    throw new Error(e.message + '\n' + page.lines.join('\n'));
  }), /The game has ended\./);
  assert.match(await endedText(page), /Start again/);
  appendFileSync(join(OUT, 'figures.txt'), `web-test: first frame ${firstFrameMs} ms after opening the page\n`);
  await page.close();
});

test('embedded in another page\'s frame, a click on the canvas takes the keyboard', async () => {
  const page = await browser.newPage();
  await page.goto(new URL(`../embed.html?at=${kView}`, SITE).href);
  const frame = await (await page.waitForSelector('iframe')).contentFrame();
  await frame.waitForFunction(() => window.Module?.calledRun && Module._vorn7_frames_shown() > 30,
                              {timeout: 15000});
  // The world below the overlay, whose numbers change on their own.
  const picture = () => frame.evaluate((top) => {
    const canvas = document.getElementById('canvas');
    const data = canvas.getContext('2d').getImageData(0, top, canvas.width, canvas.height - top).data;
    let hash = 0;
    for (let i = 0; i < data.length; ++i) hash = (hash * 31 + data[i]) | 0;
    return hash;
  }, kBelowOverlay);
  const still = await picture();
  // Typing into the host page: the game, no longer focused, pauses as on the desktop and hears
  // nothing.
  await page.focus('#outside');
  await page.keyboard.press('ArrowRight');
  await new Promise((r) => setTimeout(r, 500));
  assert.equal(await picture(), still, 'a key typed into the host page does not reach the game');
  await frame.click('#canvas');
  await page.keyboard.press('ArrowRight');
  const deadline = Date.now() + 10000;
  while ((await picture()) === still && Date.now() < deadline) await new Promise((r) => setTimeout(r, 100));
  assert.notEqual(await picture(), still, 'the camera moved after the click');
  await page.close();
});

test('level folders play from ?level= as on the desktop, their actors and 403 hosts too', async () => {
  const cases = [
    {name: 'level', query: `?level=../levels/mirrored/&at=${kView}`,
     options: ['--at', kView, join(LEVELS, 'mirrored')]},
    // x2.actors fetched: the start it names, as the desktop shows it.
    {name: 'placed', query: '?level=../levels/placed/', options: [join(LEVELS, 'placed')]},
    // A host answering 403 for what it lacks: those files come from the game's own data.
    {name: 'forbidding', query: `?level=${FORBIDDING}levels/mirrored/&at=${kView}`,
     options: ['--at', kView, join(LEVELS, 'mirrored')], line: /from the game's own data: x2fg\.lvl/},
  ];
  for (const c of cases) {
    const {page} = await open(c.query);
    assertSamePicture(c.name, await settledCanvas(page), nativeFrame(c.name, c.options));
    if (c.line) assert.ok(page.lines.some((l) => c.line.test(l)), page.lines.join('\n'));
    await page.close();
  }
});

test('a bad level address says why in the page and offers to try again', async () => {
  const cases = [
    {query: '?level=../levels/nowhere/', line: /levels\/nowhere\/: no level there/},
    {query: '?level=../levels/broken/', line: /levels\/broken\/x2\.lvl: Error loading level\./},
    {query: `?level=${REFUSING}levels/mirrored/`,
     line: /x2\.lvl: the server http:\/\/127\.0\.0\.1:\d+ does not let other sites read its files/},
    {query: `?level=${DROPPING}levels/mirrored/`,
     line: /levels\/mirrored\/x2\.lvl: the connection dropped while it came/},
    // Opened from disk: a browser loads the game only from a server, and the page says so.
    {url: `file://${SITE_DIR}/index.html`, line: /opened from a file: .*web server/},
    {query: '?mode=800x600x12', line: /800x600x12/},
  ];
  for (const {query, url, line} of cases) {
    const page = await browser.newPage();
    await page.goto(url ?? SITE + query);
    assert.match(await waitForEnd(page), /Try again/, query ?? url);
    assert.match(await message(page), line, query ?? url);
    await page.close();
  }
});

test('dropped files: a bad one says why and the game lives on; a good one shows', async () => {
  const {page} = await open(`?at=${kView}`);
  await framesGoOn(page);
  const level = readFileSync(join(LEVELS, 'mirrored', 'x2.lvl'));
  const refusals = [
    {name: 'x2.lvl', bytes: level.subarray(0, 3000), line: /^x2\.lvl: Error loading level\./},
    {name: 'tiles.bmp', bytes: Buffer.from('not a picture'), line: /tiles\.bmp: /},
    {name: 'notes.txt', bytes: Buffer.from('hello'), line: /notes\.txt: not a file of a level/},
  ];
  for (const {name, bytes, line} of refusals) {
    await drop(page, [{name, bytes}]);
    await page.waitForFunction((text) => document.getElementById('message').textContent.includes(text),
                               {timeout: 10000}, name);
    assert.match(await message(page), line, name);
    await framesGoOn(page);
  }
  assertSamePicture('refused', await settledCanvas(page), readPpm(join(OUT, 'start-desktop.ppm')));

  await drop(page, [{name: 'x2.lvl', bytes: level},
                    {name: 'tiles.bmp', bytes: readFileSync(join(DATA, 'gfx', 'tiles.bmp'))}]);
  await page.waitForFunction(() => document.getElementById('message').textContent.includes('tiles.bmp: loaded'),
                             {timeout: 10000});
  assertSamePicture('dropped', await settledCanvas(page), readPpm(join(OUT, 'level-desktop.ppm')));

  // A whole level folder dropped, as a file manager drags it: its files and its gfx/ folder's,
  // each said loaded; here the game's own level again.
  const folder = join(OUT, 'dropped-folder');
  rmSync(folder, {recursive: true, force: true});
  mkdirSync(join(folder, 'gfx'), {recursive: true});
  copyFileSync(join(DATA, 'x2.lvl'), join(folder, 'x2.lvl'));
  copyFileSync(join(DATA, 'gfx', 'tiles.bmp'), join(folder, 'gfx', 'tiles.bmp'));
  writeFileSync(join(folder, 'notes.txt'), 'not a level file: left alone');
  const session = await page.createCDPSession();
  page.lines.length = 0;
  const data = {items: [], files: [folder], dragOperationsMask: 1};
  for (const type of ['dragEnter', 'dragOver', 'drop'])
    await session.send('Input.dispatchDragEvent', {type, x: 300, y: 300, data});
  const said = () => page.lines.filter((l) => /: loaded$/.test(l)).sort().join(', ');
  const deadline = Date.now() + 10000;
  while (said() !== 'tiles.bmp: loaded, x2.lvl: loaded' && Date.now() < deadline)
    await new Promise((r) => setTimeout(r, 100));
  assert.equal(said(), 'tiles.bmp: loaded, x2.lvl: loaded', page.lines.join('\n'));
  assertSamePicture('folder', await settledCanvas(page), readPpm(join(OUT, 'start-desktop.ppm')));
  await page.close();
});

// The canvas's size on the page, in CSS pixels.
const canvasSize = (page) => page.$eval('#canvas', (c) => {
  const r = c.getBoundingClientRect();
  return {width: r.width, height: r.height, smooth: c.classList.contains('smooth'),
          frameWidth: c.width, frameHeight: c.height};
});

test('the frame is as large as the window allows, on a desktop and on a phone both ways', async () => {
  const cases = [
    // 1080 less the message bar's 27 pixels: 1053 high, 4:3, smoothly (no whole factor fills it).
    {what: '1920 x 1080', viewport: {width: 1920, height: 1080}, minWidth: 1400, minHeight: 1050},
    // A phone plays at 640 x 480, so the overlay's 14-pixel glyphs stand 10 CSS pixels or more.
    {what: 'Pixel 5, landscape', device: 'Pixel 5 landscape', minHeight: 0.9, glyph: 10},
    {what: 'Pixel 5, portrait', device: 'Pixel 5', minWidth: 0.99},
    // An 820 x 660 frame of another page: the whole frame, crisp, above the message line.
    {what: 'an 820 x 660 iframe', embedded: true, minWidth: 800, minHeight: 600},
  ];
  for (const c of cases) {
    const page = await browser.newPage();
    if (c.device) await page.emulate(KnownDevices[c.device]);
    else await page.setViewport(c.viewport ?? {width: 1000, height: 800});
    await page.goto(c.embedded ? new URL(`../embed.html?at=${kView}`, SITE).href : SITE + `?at=${kView}`);
    const frame = c.embedded ? await (await page.waitForSelector('iframe')).contentFrame()
                             : page.mainFrame();
    await frame.waitForFunction(() => window.Module?.calledRun && Module._vorn7_frames_shown() > 2,
                                {timeout: 15000});
    const view = c.embedded ? {width: 820, height: 660} : page.viewport();
    await frame.waitForFunction(() => document.getElementById('canvas').style.width !== '');
    const size = await canvasSize(frame);
    const minWidth = c.minWidth <= 1 ? c.minWidth * view.width : c.minWidth ?? 0;
    const minHeight = c.minHeight <= 1 ? c.minHeight * (view.height - 27) : c.minHeight ?? 0;
    assert.ok(size.width >= minWidth && size.height >= minHeight,
              `${c.what}: ${size.width} x ${size.height} in ${view.width} x ${view.height}`);
    assert.ok(Math.abs(size.width / size.height - 4 / 3) < 0.01, `${c.what}: the aspect kept`);
    assert.equal(size.frameWidth, c.device ? 640 : 800, `${c.what}: the frame's width`);
    if (c.glyph) {
      const glyph = (size.height / size.frameHeight) * 14;
      assert.ok(glyph >= c.glyph, `${c.what}: the overlay's glyphs ${glyph.toFixed(1)} CSS pixels high`);
    }
    await page.close();
  }
});

test('touch: the controls show, a finger on Right runs the player, two run and jump', async () => {
  const {page} = await open('?level=levels/first-run/', 'Pixel 5 landscape');
  await page.waitForFunction(() => window.Module?.calledRun && Module._vorn7_frames_shown() > 10,
                             {timeout: 15000});
  assert.equal(await page.$eval('#controls', (e) => e.hidden), true, 'no controls before a touch');
  await page.touchscreen.tap(200, 150);
  await page.waitForFunction(() => !document.getElementById('controls').hidden, {timeout: 5000});
  const names = await page.$$eval('#controls button', (list) => list.map(
      (b) => b.getAttribute('aria-label') || b.textContent.trim()));
  for (const name of ['Left', 'Right', 'Up', 'Down', 'Jump', 'Colour depth', 'Resolution', 'Full screen'])
    assert.ok(names.includes(name), `a button named ${name}: ${names}`);
  const centre = (label) => page.$eval(`#controls button[aria-label="${label}"]`, (b) => {
    const r = b.getBoundingClientRect();
    return {x: r.x + r.width / 2, y: r.y + r.height / 2};
  });
  const picture = () => page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const data = canvas.getContext('2d').getImageData(0, 200, canvas.width, canvas.height - 200).data;
    let hash = 0;
    for (let i = 0; i < data.length; i += 4) hash = (hash * 31 + data[i] + data[i + 1]) | 0;
    return hash;
  });
  const session = await page.createCDPSession();
  const touch = (type, points) => session.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map((p, i) => ({x: p.x, y: p.y, id: i + 1}))});
  const still = await picture();
  const right = await centre('Right'), jump = await centre('Jump');
  // A touch to the first frame that shows it, counted in the game's frames.
  const touched = await framesShown(page);
  await touch('touchStart', [right]);
  let shownAfter = -1;
  for (let attempt = 0; attempt < 200 && shownAfter < 0; ++attempt) {
    if ((await picture()) !== still) shownAfter = (await framesShown(page)) - touched;
    else await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  }
  const line = `web-test: a touch on Right showed within ${shownAfter} game frames\n`;
  appendFileSync(join(OUT, 'figures.txt'), line);
  process.stdout.write(line);
  assert.ok(shownAfter >= 0 && shownAfter <= 3, line);
  await framesGoOn(page, 30);
  assert.equal(await page.$eval('#controls button[aria-label="Right"]', (b) => b.classList.contains('held')),
               true, 'Right held under the finger');
  await touch('touchEnd', []);
  assert.notEqual(await picture(), still, 'the player ran and the camera followed');
  // Two fingers at once: run and jump.
  await touch('touchStart', [right, jump]);
  await framesGoOn(page, 5);
  const held = await page.$$eval('#controls button.held', (list) => list.map((b) => b.getAttribute('aria-label')));
  assert.deepEqual(held.sort(), ['Jump', 'Right']);
  await touch('touchEnd', []);
  await page.waitForFunction(() => !document.querySelector('#controls button.held'), {timeout: 5000});
  // A key takes the controls away.
  await page.keyboard.press('ArrowLeft');
  await page.waitForFunction(() => document.getElementById('controls').hidden, {timeout: 5000});
  const failures = page.lines.filter((l) => /failed|error/i.test(l) && !/^Failed to load resource/.test(l));
  assert.deepEqual(failures, []);
  await page.close();
});

test('frames paced by the display: an animation frame shows one new game frame', async () => {
  const {page} = await open();
  await framesGoOn(page, 30);
  const counts = await page.evaluate(() => new Promise((resolve) => {
    const seen = [];
    let last = Module._vorn7_frames_shown();
    const tick = () => {
      const now = Module._vorn7_frames_shown();
      seen.push(now - last);
      last = now;
      if (seen.length < 300) requestAnimationFrame(tick); else resolve(seen);
    };
    requestAnimationFrame(tick);
  }));
  const one = counts.filter((n) => n === 1).length;
  const line = `web-test: ${one} of 300 animation frames showed exactly one new game frame\n`;
  appendFileSync(join(OUT, 'figures.txt'), line);
  process.stdout.write(line);
  assert.ok(one >= 295, line);
  await page.close();
});

test('figures: frames a second and the main thread per frame at 800 x 600 x 32', async () => {
  const {page} = await open();
  await framesGoOn(page, 30);
  const cpu = async () => (await page.metrics()).TaskDuration;
  const frames0 = await framesShown(page), cpu0 = await cpu(), t0 = Date.now();
  await new Promise((resolve) => setTimeout(resolve, 5000));
  const frames = (await framesShown(page)) - frames0, seconds = (Date.now() - t0) / 1000;
  const cpuMs = ((await cpu()) - cpu0) * 1000;
  const line = `web-test: ${(frames / seconds).toFixed(1)} frames a second, ` +
               `${(cpuMs / frames).toFixed(2)} ms of the main thread a frame\n`;
  appendFileSync(join(OUT, 'figures.txt'), line);
  process.stdout.write(line);
  assert.ok(frames > 0);
  await page.close();
});
