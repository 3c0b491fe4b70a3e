// Plays the web release in Debian's headless Chromium (SwiftShader's WebGL 2), driven by
// puppeteer-core. Run by tests/web/check.py, which serves the release and compares the
// pictures:
//
//   node play.js URL OUT_DIR
//
// Loads the page, starts it with a click, waits for the title, saves the canvas as
// OUT_DIR/web-title.png; clicks Start, fires for five seconds, saves OUT_DIR/web-play.png,
// turns motion blur on for twenty frames (OUT_DIR/web-blur.png), presses R (play again,
// which keeps the score); reloads the page and reads the best score from the log. Prints one JSON line of what it saw (scores, frame counts and times), and
// exits with 1 on a page error or a step that never came.
'use strict';

const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [url, outDir] = process.argv.slice(2);
const CANVAS = { width: 1024, height: 512 };
// The title's Start button: its lower left corner and size in the game's coordinates
// (y up), as data/gui/title.xml and data/sets/sprites.xml place it.
const START = { x: 424, y: 166, width: 176, height: 48 };

function fail(message) {
  console.error('web test: ' + message);
  process.exit(1);
}

// Waits until Module.framesShown has grown by count from now.
async function waitFrames(page, count, timeout) {
  const from = await page.evaluate(() => (window.Module && Module.framesShown) || 0);
  await page.waitForFunction((target) => (Module.framesShown || 0) >= target,
                             { timeout, polling: 100 }, from + count);
}

async function canvasShot(page, file) {
  const canvas = await page.$('#canvas');
  await canvas.screenshot({ path: path.join(outDir, file) });
}

// Loads the page and starts the program with a click on the start overlay, away from the
// title's buttons; resolves once the first frames are drawn. Returns milliseconds from the
// page's start to the click and to the first frame.
async function open(page, reload) {
  if (reload) {
    await page.reload({ waitUntil: 'load' });
  } else {
    await page.goto(url, { waitUntil: 'load' });
  }
  await page.waitForFunction(() => document.getElementById('status').textContent === 'Ready',
                             { timeout: 120000, polling: 100 });
  const ready = await page.evaluate(() => performance.now());
  await page.mouse.click(8, 8);
  await page.waitForFunction(() => window.Module && Module.framesShown > 0,
                             { timeout: 60000, polling: 50 });
  const first = await page.evaluate(() => Module.firstFrameTime);
  return { ready, firstFrame: first };
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--window-size=1024,552'],
  });
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 552 });
  const log = [];  // this load's log
  const fullLog = [];
  const errors = [];
  page.on('console', (message) => {
    log.push(message.text());
    fullLog.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));

  const result = {};
  try {
    const first = await open(page, false);
    result.readyMs = Math.round(first.ready);
    result.firstFrameMs = Math.round(first.firstFrame);
    await waitFrames(page, 60, 60000);
    await canvasShot(page, 'web-title.png');

    // Start, then fire (space) for five seconds while moving up and down.
    const box = await (await page.$('#canvas')).boundingBox();
    const scale = box.width / CANVAS.width;
    await page.mouse.click(box.x + (START.x + START.width / 2) * scale,
                           box.y + (CANVAS.height - START.y - START.height / 2) * scale);
    await waitFrames(page, 10, 30000);
    const began = await page.evaluate(() => [performance.now(), Module.framesShown]);
    await page.keyboard.down('Space');
    for (let i = 0; i < 5; ++i) {
      await page.keyboard.down(i % 2 ? 'ArrowDown' : 'ArrowUp');
      await new Promise((resolve) => setTimeout(resolve, 1000));
      await page.keyboard.up(i % 2 ? 'ArrowDown' : 'ArrowUp');
    }
    const ended = await page.evaluate(() => [performance.now(), Module.framesShown]);
    result.playFps = +((ended[1] - began[1]) / ((ended[0] - began[0]) / 1000)).toFixed(1);
    await canvasShot(page, 'web-play.png');
    // Motion blur (N): the frame ring's slots and the blending composition.
    await page.keyboard.press('KeyN');
    await waitFrames(page, 20, 30000);
    await canvasShot(page, 'web-blur.png');
    await page.keyboard.press('KeyN');
    await page.keyboard.up('Space');

    // Play again: the game just played is entered among the best scores and saved.
    const saved = page.evaluate(() => new Promise((resolve) => {
      Module.onPlayerFilesPersisted = resolve;
    }));
    await page.keyboard.press('KeyR');
    await Promise.race([saved, new Promise((resolve) => setTimeout(resolve, 10000))]);
    const scored = log.map((line) => /^Score (\d+) at /.exec(line)).filter(Boolean);
    result.score = scored.length ? Number(scored[scored.length - 1][1]) : 0;

    log.length = 0;
    await open(page, true);
    await waitFrames(page, 30, 60000);
    const best = log.map((line) => /^Best score at \w+: (\d+)/.exec(line)).filter(Boolean);
    result.bestAfterReload = best.length ? Number(best[0][1]) : 0;
  } catch (error) {
    errors.push('step failed: ' + error.message);
  } finally {
    result.pageErrors = errors;
    fs.writeFileSync(path.join(outDir, 'web-log.txt'), fullLog.join('\n') + '\n');
    console.log(JSON.stringify(result));
    await browser.close();
  }
  if (errors.length) {
    fail(errors.join('; '));
  }
}

main().catch((error) => fail(String(error)));
