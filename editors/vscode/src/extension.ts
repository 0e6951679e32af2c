// Starts `scenari-tool lsp` for the line and train texts of a scenario, and
// starts it anew when its path setting changes or on the restart command.
import * as vscode from 'vscode';
import { LanguageClient, LanguageClientOptions, ServerOptions } from 'vscode-languageclient/node';

let client: LanguageClient | undefined;

function toolPath(): string {
  const path = vscode.workspace.getConfiguration('scenari').get<string>('toolPath');
  return path && path.trim() !== '' ? path.trim() : 'scenari-tool';
}

// No transport is named: the client would add "--stdio", which the tool does
// not take; standard input and output are the default.
function newClient(): LanguageClient {
  const server: ServerOptions = { command: toolPath(), args: ['lsp'] };
  const options: LanguageClientOptions = {
    documentSelector: [
      { scheme: 'file', language: 'scenari-linea' },
      { scheme: 'file', language: 'scenari-treno' },
      { scheme: 'untitled', language: 'scenari-linea' },
      { scheme: 'untitled', language: 'scenari-treno' },
    ],
  };
  return new LanguageClient('scenari', 'Scenari', server, options);
}

async function start(): Promise<void> {
  const starting = newClient();
  client = starting;
  try {
    await starting.start();
  } catch (error) {
    client = undefined;
    const message = error instanceof Error ? error.message : String(error);
    void vscode.window.showErrorMessage(
      `Scenari: cannot start "${toolPath()} lsp" (${message}). Set scenari.toolPath to the scenari-tool program.`);
  }
}

async function restart(): Promise<void> {
  const old = client;
  client = undefined;
  if (old) await old.stop();
  await start();
}

export async function activate(context: vscode.ExtensionContext): Promise<void> {
  context.subscriptions.push(
    vscode.commands.registerCommand('scenari.restartServer', restart),
    vscode.workspace.onDidChangeConfiguration((event) => {
      if (event.affectsConfiguration('scenari.toolPath')) void restart();
    }),
  );
  await start();
}

export async function deactivate(): Promise<void> {
  if (client) await client.stop();
}
