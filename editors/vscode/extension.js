// Starts "eventconfig lsp" for EventConfig.xml files and points the XML
// extension at the file's RELAX NG schema.

const path = require('path');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function patterns(config) {
  const names = ['EventConfig.xml', ...config.get('fileNames', [])];
  return names.map((name) => (name.includes('/') ? name : `**/${name}`));
}

// The XML extension (redhat.vscode-xml) validates and completes with the
// schemas of "xml.fileAssociations"; add ours once per pattern.
async function associateSchema(context, globs) {
  const xml = vscode.workspace.getConfiguration('xml');
  const current = xml.get('fileAssociations', []);
  const systemId = path.join(context.extensionPath, 'schema', 'EventConfig.rng');
  const missing = globs.filter((glob) => !current.some((entry) => entry.pattern === glob));
  if (missing.length === 0) return;
  const added = missing.map((pattern) => ({ pattern, systemId }));
  await xml.update('fileAssociations', [...current, ...added], vscode.ConfigurationTarget.Global);
}

async function activate(context) {
  const config = vscode.workspace.getConfiguration('eventconfig');
  const globs = patterns(config);
  const server = { command: config.get('path') || 'eventconfig', args: ['lsp'] };
  client = new LanguageClient(
    'eventconfig',
    'EventConfig',
    { run: server, debug: server },
    { documentSelector: globs.map((pattern) => ({ scheme: 'file', pattern })) },
  );
  await client.start();
  context.subscriptions.push(client);
  if (config.get('associateSchema', true)) await associateSchema(context, globs);
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
