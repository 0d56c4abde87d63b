// The extension ships the kit's licence: the same text, named in the manifest.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const test = require('node:test');

const extensionDir = path.join(__dirname, '..');
// The kit's LICENSE stands beside its CMakeLists.txt (named by the build).
const kitFile = process.env.ZET_KIT_CMAKELISTS ?? path.join(extensionDir, '..', '..', 'CMakeLists.txt');

test('LICENSE is the kit licence and the manifest says MIT', () => {
  const kit = fs.readFileSync(path.join(path.dirname(kitFile), 'LICENSE'), 'utf8');
  assert.equal(fs.readFileSync(path.join(extensionDir, 'LICENSE'), 'utf8'), kit);
  assert.match(kit, /^MIT License\n/);
  const manifest = JSON.parse(fs.readFileSync(path.join(extensionDir, 'package.json'), 'utf8'));
  assert.equal(manifest.license, 'MIT');
});
