#!/usr/bin/env node
// Writes <name>-<version>.vsix with vsce, the version read from the kit's
// top-level CMakeLists.txt when packaging, so the extension never lags the kit.
//
//   node tools/package.js [--kit CMakeLists.txt] [--out FOLDER]
//
// By default the kit is two folders up and the .vsix goes into its dist/.
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { parseArgs } = require('node:util');

const extensionDir = path.resolve(__dirname, '..');

// The kit's version: project(Zetrova VERSION 1.0.0.3 ...). CMake commands
// match without regard to case.
function kitVersionOf(cmakeText) {
  const match = /^[ \t]*project[ \t]*\([ \t]*Zetrova[ \t]+VERSION[ \t]+([0-9]+(?:\.[0-9]+){0,3})(?=[\s)])/im.exec(
    cmakeText,
  );
  if (!match) {
    throw new Error('no "project(Zetrova VERSION ...)" line');
  }
  return match[1];
}

// vsce takes MAJOR.MINOR.PATCH only. The kit's fourth number goes into the
// third, with the kit's third counted in hundreds (1.0.0.3 -> 1.0.3,
// 1.0.1.0 -> 1.0.100), so that every later kit gives a later extension and
// `code --install-extension` upgrades.
function extensionVersionOf(kitVersion) {
  const parts = kitVersion.split('.').map(Number);
  while (parts.length < 4) {
    parts.push(0);
  }
  const [major, minor, patch, tweak] = parts;
  if (tweak > 99) {
    throw new Error(`kit version ${kitVersion}: a fourth number above 99 has no extension version`);
  }
  return `${major}.${minor}.${patch * 100 + tweak}`;
}

function main() {
  const { values } = parseArgs({
    options: { kit: { type: 'string' }, out: { type: 'string' } },
  });
  const kitFile = path.resolve(values.kit ?? path.join(extensionDir, '..', '..', 'CMakeLists.txt'));
  const outDir = path.resolve(values.out ?? path.join(path.dirname(kitFile), 'dist'));
  const version = extensionVersionOf(kitVersionOf(fs.readFileSync(kitFile, 'utf8')));
  const { name } = JSON.parse(fs.readFileSync(path.join(extensionDir, 'package.json'), 'utf8'));
  const vsix = path.join(outDir, `${name}-${version}.vsix`);
  fs.mkdirSync(outDir, { recursive: true });
  // The version is given on the command line and package.json left as it is;
  // the extension has no runtime dependencies. vsce takes LICENSE beside
  // package.json.
  execFileSync(
    process.execPath,
    [
      require.resolve('@vscode/vsce/vsce'),
      'package',
      version,
      '--no-update-package-json',
      '--no-git-tag-version',
      '--no-dependencies',
      '--allow-missing-repository',
      '--out',
      vsix,
    ],
    { cwd: extensionDir, stdio: ['ignore', 'inherit', 'inherit'] },
  );
  console.log(vsix);
}

module.exports = { kitVersionOf, extensionVersionOf };

if (require.main === module) {
  try {
    main();
  } catch (error) {
    console.error(`package: ${error.message}`);
    process.exit(1);
  }
}
