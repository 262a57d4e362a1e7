// Screenshots of HTML files in one headless Chromium, driven over its DevTools pipe so that a
// hundred pages cost one browser start. Each page is taken whole, at a fixed window size.
//   node screenshots.mjs CHROMIUM OUTDIR FILE.html...   writes OUTDIR/FILE.png for each
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [chromium, outDir, ...files] = process.argv.slice(2);
const profile = mkdtempSync(join(tmpdir(), 'qg-chromium-'));
const browser = spawn(chromium, [
  '--headless', '--no-sandbox', '--disable-gpu', '--remote-debugging-pipe', '--hide-scrollbars',
  '--force-device-scale-factor=1', '--no-first-run', '--disable-extensions', `--user-data-dir=${profile}`,
], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

let nextId = 1, buffer = '';
const pending = new Map(), waiters = [];
browser.stdio[4].on('data', (chunk) => {
  buffer += chunk.toString('utf8');
  for (let end; (end = buffer.indexOf('\0')) >= 0; buffer = buffer.slice(end + 1)) {
    const message = JSON.parse(buffer.slice(0, end));
    if (message.id && pending.has(message.id)) {
      const { ok, fail } = pending.get(message.id);
      pending.delete(message.id);
      message.error ? fail(new Error(JSON.stringify(message.error))) : ok(message.result);
    } else if (message.method) {
      for (const w of waiters.splice(0)) if (!w(message)) waiters.push(w);
    }
  }
});

function send(method, params = {}, sessionId) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((ok, fail) => pending.set(id, { ok, fail }));
}

function event(method, sessionId) {
  return new Promise((ok) => waiters.push((m) => (m.method === method && m.sessionId === sessionId ? (ok(m), true) : false)));
}

const timer = setTimeout(() => { console.error('screenshots: timed out'); browser.kill(); process.exit(2); }, 300000);
try {
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  await send('Page.enable', {}, sessionId);
  await send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 800, deviceScaleFactor: 1, mobile: false }, sessionId);
  for (const file of files) {
    const loaded = event('Page.loadEventFired', sessionId);
    await send('Page.navigate', { url: pathToFileURL(resolve(file)).href }, sessionId);
    await loaded;
    const { cssContentSize: size } = await send('Page.getLayoutMetrics', {}, sessionId);
    const clip = { x: 0, y: 0, width: Math.max(1000, Math.ceil(size.width)), height: Math.max(800, Math.ceil(size.height)), scale: 1 };
    const { data } = await send('Page.captureScreenshot', { format: 'png', clip, captureBeyondViewport: true, optimizeForSpeed: true }, sessionId);
    writeFileSync(join(outDir, basename(file).replace(/\.[^.]*$/, '') + '.png'), Buffer.from(data, 'base64'));
  }
  await send('Browser.close').catch(() => {});
} catch (error) {
  console.error(`screenshots: ${error.message}`);
  process.exitCode = 1;
} finally {
  clearTimeout(timer);
  const exited = new Promise((ok) => browser.once('exit', ok));
  browser.kill();
  await exited;
  // The browser's helpers may still be writing to the profile; what they leave is harmless.
  try { rmSync(profile, { recursive: true, force: true, maxRetries: 5 }); } catch {}
}
